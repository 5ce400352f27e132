# The smallest 32-bit x86 Linux program: it ends at once with status 0. Where
# the kernel refuses to run it, no 32-bit program runs, Wine's included.
# Built with: as --32 i386-probe.s -o i386-probe.o && ld -m elf_i386 i386-probe.o -o i386-probe
        .globl _start
_start:
        movl $1, %eax           # exit
        xorl %ebx, %ebx         # status 0
        int $0x80
