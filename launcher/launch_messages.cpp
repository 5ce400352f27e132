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

// Ends the message begun in state.messageText with its limit, the field's
// capacity less the terminator, and reports it.
static bool reportLongerThan(LaunchState& state, size_t capacity) {
    appendText(state.messageText, " longer than ");
    appendNumber(state.messageText, static_cast<unsigned long>(capacity - 1));
    appendText(state.messageText, " characters.");
    reportLine(state, state.messageText);
    return false;
}

bool reportTooLong(LaunchState& state, const char* subject, size_t capacity) {
    copyText(state.messageText, subject);
    return reportLongerThan(state, capacity);
}

bool reportOverlongSetting(LaunchState& state, int id, size_t capacity) {
    copyText(state.messageText, "Setting ");
    appendNumber(state.messageText, static_cast<unsigned long>(id));
    appendText(state.messageText, " is");
    return reportLongerThan(state, capacity);
}

bool reportUnpassableFolder(LaunchState& state, const char* folder) {
    return reportFailure(
        state, "Cannot hand Java a name outside the system's code page on a drive without short names: ", folder);
}

void openRuntimeDownloadPage() { platform::openAddress("https://www.java.com/en/download/"); }
