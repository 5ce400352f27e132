#include "launch_state.h"

#include "fixed_text.h"

void initLaunchState(LaunchState& state) {
    state = LaunchState{};
    copyText(state.messageTitle, "tarvello");
}
