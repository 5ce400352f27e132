# How the launcher's Windows image is compiled and linked: no C++ run-time, no
# exceptions and no MinGW start-up files. The entry takes its arguments from
# msvcrt.dll's own console start-up, so the image needs only system DLLs.
set(LAUNCHER_COMPILE_OPTIONS
  -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-unwind-tables
  -fno-threadsafe-statics -fno-stack-protector -ffunction-sections
  -D__USE_MINGW_ANSI_STDIO=0)

# Options for linking objects (or the launcher library) into an .exe for `arch`.
# No link time in the PE header: two builds of one commit give the same bytes.
function(launcher_link_options arch result)
  if(arch STREQUAL "i686")
    set(entry _launcherStart)
  else()
    set(entry launcherStart)
  endif()
  set(${result}
    -nostartfiles -nodefaultlibs -s -Wl,--gc-sections -Wl,--subsystem,console -Wl,--no-insert-timestamp
    -Wl,-e,${entry} -Wl,-u,${entry}
    PARENT_SCOPE)
endfunction()

# Libraries, after the launcher's own objects.
set(LAUNCHER_LINK_LIBRARIES -lmsvcrt -lkernel32 -ladvapi32 -lgcc)
