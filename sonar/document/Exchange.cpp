// The live exchange with the head: returns in, the next command out, the watch on a head that
// falls silent, and the end of a connection.
#include "document/CKeelbrookDoc.h"

namespace {
constexpr const char* kSystemError = "system error! ";
}  // namespace

void CKeelbrookDoc::OnReceive(const std::uint8_t* data, std::size_t len) {
    if (state_ != ConnectionState::Connected || playback_) {
        return;
    }
    framer_.append(data, len);
    if (receiving_) {
        // A modal prompt inside ProcessPing let more bytes in; the outer loop takes them, and a
        // return waiting there is no silence of the head.
        if (framer_.hasReturn()) {
            watchdog_.answered();
        }
        return;
    }
    receiving_ = true;
    while (const std::uint8_t* ret = framer_.next()) {
        // One command, one return: bytes already behind it answer nothing that was asked (a
        // return of the wrong length). Kept, they would misframe every return to come.
        if (framer_.discardPending() > 0) {
            ++discardedReturns_;
        }
        handleReturn(ret);
    }
    receiving_ = false;
}

void CKeelbrookDoc::handleReturn(const std::uint8_t* ret) {
    SwitchCommand& cmd = head_.command();
    if (watchdog_.isLateDuplicate(head::sideOf(ret[head::kSerialStatus]), cmd.sideRequest())) {
        ++discardedReturns_;
        watchdog_.commandSent();  // the command asked now still waits for its answer
        return;
    }
    switch (ping_.acceptReturn(ret, head::returnLength(ping_.samplesTotal()))) {
        case head::Side::Port:
            cmd.setSideRequest(SwitchCommand::kStarboard);
            sendCommand();
            break;
        case head::Side::Starboard:
            cmd.setSideRequest(SwitchCommand::kPort);
            sendCommand();
            ProcessPing();
            break;
        case head::Side::Discarded:
            // Left alone, the exchange would wait forever on a connection that stays open, with
            // Reconnect disabled. Drop what is buffered and ask for the same side again.
            ++discardedReturns_;
            framer_.clear();
            sendCommand();
            break;
    }
}

void CKeelbrookDoc::OnReceiveError(bool connectionLost) {
    if (connectionLost) {
        OnClose();  // a message box here would stand in front of the "Connection" question
        return;
    }
    ports_.prompts.message(kSystemError, MessageIcon::Error);
}

void CKeelbrookDoc::OnClose() {
    ports_.link.close();
    framer_.clear();
    watchdog_.stop();
    saveSettingsFile();
    // The window stays responsive during the pause; nothing else connects meanwhile because the
    // state stays Connected until Connect runs again.
    ports_.timers.start(TimerId::ReconnectPause, kReconnectPauseMs);
}

void CKeelbrookDoc::onWatchdog() {
    if (state_ != ConnectionState::Connected || playback_) {
        return;
    }
    const SwitchCommand& cmd = head_.command();
    switch (watchdog_.expired(cmd.sideRequest())) {
        case ExchangeWatchdog::Expiry::Stale:
            return;
        case ExchangeWatchdog::Expiry::GiveUp:
            OnClose();
            return;
        case ExchangeWatchdog::Expiry::Resend:
            break;
    }
    // What came of the unanswered command (a short return) would misframe the answer to come.
    if (framer_.pending() > 0) {
        ++discardedReturns_;
        framer_.clear();
    }
    ports_.link.send(cmd.bytes().data(), cmd.bytes().size());
}

void CKeelbrookDoc::sendCommand() {
    const auto& bytes = head_.command().bytes();
    ports_.link.send(bytes.data(), bytes.size());
    watchdog_.commandSent();
}
