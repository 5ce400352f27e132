#include "launch_settings.h"

#include "fixed_text.h"

static size_t settingTextLength(const char* bytes, size_t size) {
    size_t length = 0;
    while (length < size && bytes[length] != '\0') ++length;
    return length;
}

SettingRead readSetting(platform::ModuleHandle module, int id, char* destination, size_t capacity) {
    const char* bytes = nullptr;
    size_t size = 0;
    if (!platform::findSettingResource(module, id, &bytes, &size)) return SettingRead::absent;
    if (!copyBytesAsText(destination, capacity, bytes, settingTextLength(bytes, size))) return SettingRead::tooLong;
    return SettingRead::read;
}

bool readFlagSetting(platform::ModuleHandle module, int id) {
    char flag[kFlagCapacity] = {};
    return readSetting(module, id, flag) == SettingRead::read && equalsIgnoringCase(flag, "true");
}
