/* Preloaded into 32-bit Wine when it runs under qemu's user-mode emulator.
 *
 * At start, Wine reserves the address space above 0x7ffe0000 by asking
 * for ever smaller pieces with MAP_FIXED_NOREPLACE, down to 64 KiB, until
 * each piece either lands where asked or fails. qemu 7.2 (Debian 12) takes
 * the flag for a mere hint and, for a 32-bit program, has nothing to give
 * there: every one of about 33,000 requests is placed elsewhere, undone and
 * split again, each a slow search of qemu's page table. That was 50 of the
 * 53 seconds a start took. Here those requests fail at once, as Wine's
 * fallback expects of the flag: the outcome is the same (nothing reserved
 * there), in a fraction of the time. Every other mapping goes to the C
 * library as usual. No C library of its own: built with gcc -m32 -nostdlib. */

typedef unsigned int size_t;
typedef long long off64_t;
typedef void* (*Mmap64)(void*, size_t, int, int, int, off64_t);

#define MAP_FIXED_NOREPLACE 0x100000
#define EEXIST 17
#define RTLD_NEXT ((void*)-1l)
#define USER_SPACE_LIMIT 0x7ffe0000ul

void* dlsym(void* handle, const char* name);
int* __errno_location(void);

void* mmap64(void* address, size_t length, int protection, int flags, int fd, off64_t offset) {
    static Mmap64 next;
    if ((flags & MAP_FIXED_NOREPLACE) && (unsigned long)address >= USER_SPACE_LIMIT) {
        *__errno_location() = EEXIST;
        return (void*)-1;
    }
    if (!next) next = (Mmap64)dlsym(RTLD_NEXT, "mmap64");
    return next(address, length, protection, flags, fd, offset);
}
