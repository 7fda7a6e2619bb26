#include "sensorcfg/qt/QtSensorPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

QString configFileFilter() {
    return QStringLiteral("GPS Config file (*.cfg)");
}

PromptAnswer QtSensorPrompts::message(const std::string& text, const std::string& title,
                                      PromptIcon icon, PromptButtons buttons) {
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
        case PromptIcon::Information:
            qicon = QMessageBox::Information;
            break;
        case PromptIcon::Question:
            qicon = QMessageBox::Question;
            break;
        case PromptIcon::Exclamation:
            qicon = QMessageBox::Warning;
            break;
        case PromptIcon::Error:
            qicon = QMessageBox::Critical;
            break;
        case PromptIcon::None:
            break;
    }
    QMessageBox::StandardButtons qbuttons = QMessageBox::Ok;
    switch (buttons) {
        case PromptButtons::Ok:
            break;
        case PromptButtons::YesNo:
            qbuttons = QMessageBox::Yes | QMessageBox::No;
            break;
        case PromptButtons::YesNoCancel:
            qbuttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
        case PromptButtons::RetryCancel:
            qbuttons = QMessageBox::Retry | QMessageBox::Cancel;
            break;
    }
    QMessageBox box(qicon, QString::fromStdString(title), QString::fromStdString(text), qbuttons,
                    parent_);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Retry:
            return PromptAnswer::Retry;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
}

std::optional<std::string> QtSensorPrompts::askOpenFile() {
    const QString path =
        QFileDialog::getOpenFileName(parent_, QStringLiteral("Open"), folder_, configFileFilter());
    if (path.isEmpty()) {
        return std::nullopt;
    }
    folder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::optional<std::string> QtSensorPrompts::askSaveFile(const std::string& proposedName) {
    QFileDialog dlg(parent_, QStringLiteral("Save As"), folder_, configFileFilter());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("cfg"));
    if (!proposedName.empty()) {
        dlg.selectFile(QString::fromStdString(proposedName));
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dlg.selectedFiles().first();
    folder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::optional<std::string> QtSensorPrompts::askExistingFile(const std::vector<FileFilter>& filters,
                                                            const std::string& folder) {
    QStringList types;
    for (const FileFilter& f : filters) {
        types << QStringLiteral("%1 (%2)").arg(QString::fromStdString(f.name),
                                               QString::fromStdString(f.pattern));
    }
    QFileDialog dlg(parent_, QStringLiteral("Open"), QString::fromStdString(folder));
    dlg.setNameFilters(types);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dlg.selectedFiles().first().toStdString();
}
