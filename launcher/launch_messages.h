#pragma once
// The launcher's console lines: each one is the title, a colon, a blank and
// the text, on standard output.

#include "launch_state.h"

void reportLine(const LaunchState& state, const char* text);
// Reports `text` followed by `detail` and answers false, for callers that fail with it.
bool reportFailure(LaunchState& state, const char* text, const char* detail = "");
// Reports a text that does not fit its field of `capacity` (terminator
// included): `subject` ("The arguments are") and the limit.
bool reportTooLong(LaunchState& state, const char* subject, size_t capacity);
// Reports a setting whose text does not fit its field.
bool reportOverlongSetting(LaunchState& state, int id, size_t capacity);
// Reports a folder whose name cannot be handed to Java: the code page lacks
// some of its characters and its volume keeps no short names.
bool reportUnpassableFolder(LaunchState& state, const char* folder);
void openRuntimeDownloadPage();
