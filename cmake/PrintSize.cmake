# Prints the size of FILE, labelled WHAT.
file(SIZE ${FILE} size)
math(EXPR kib "(${size} + 1023) / 1024")
message(STATUS "Stripped ${WHAT} launcher image: ${size} bytes (${kib} KiB)")
