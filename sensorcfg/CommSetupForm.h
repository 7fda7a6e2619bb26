#pragma once

#include <string>
#include <vector>

class CQuorelDoc;
class Profile;

// The "Comm Setup" dialog without a window: the port, automatic or manual baud selection and
// the manual rate, kept in the profile's "Communications" section.
class CommSetupForm {
  public:
    CommSetupForm(CQuorelDoc& doc, Profile& profile);

    // "COM1" ... "COM8".
    static std::vector<std::string> portNames();
    // "300" ... "19200", with "38400" for base models 2, 3 and 7.
    std::vector<std::string> rateNames() const;

    int portSelection() const { return port_; }
    void selectPort(int index) { port_ = index; }
    bool manual() const { return manual_; }
    void setManual(bool manual) { manual_ = manual; }
    // The rate list shows only for manual selection.
    bool rateListVisible() const { return manual_; }
    int rateSelection() const;
    void selectRate(int index);
    int rateCode() const { return rateCode_; }

    // OK: the port into the configuration (the document becomes modified) and the two keys.
    void apply();

  private:
    CQuorelDoc& doc_;
    Profile& profile_;
    int port_ = -1;
    bool manual_ = false;
    int rateCode_ = 3;
};
