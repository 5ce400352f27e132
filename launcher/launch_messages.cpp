#include "launch_messages.h"

#include "fixed_text.h"

void reportLine(const LaunchState& state, const char* text) { platform::printMessage(state.messageTitle, text); }

bool reportFailure(LaunchState& state, const char* text, const char* detail) {
    // Every detail (a path, a version) is far shorter than the message field.
    copyText(state.messageText, text);
    appendText(state.messageText, detail);
    reportLine(state, state.messageText);
    return false;
}

bool reportOverlongSetting(LaunchState& state, int id, size_t capacity) {
    copyText(state.messageText, "Setting ");
    appendNumber(state.messageText, id);
    appendText(state.messageText, " is longer than ");
    appendNumber(state.messageText, static_cast<long>(capacity - 1));
    appendText(state.messageText, " characters.");
    reportLine(state, state.messageText);
    return false;
}

void openRuntimeDownloadPage() { platform::openAddress("https://www.java.com/en/download/"); }
