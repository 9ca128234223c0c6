/* Lets faketime reach 32-bit Wine. Wine's i386 ntdll asks for the time
 * through glibc's 64-bit-time entry points (__clock_gettime64,
 * __gettimeofday64), which Debian's i386 libfaketime does not replace.
 * Preloaded after libfaketime, this library answers them from the 32-bit
 * calls libfaketime does replace. 32-bit seconds hold every date the tests
 * use (before 2038). No C library: the types are spelled out for i386. */

typedef int clockid_t;

struct timespec32 {
    long tv_sec;
    long tv_nsec;
};

struct timespec64 {
    long long tv_sec;
    long tv_nsec;
    long padding;
};

struct timeval32 {
    long tv_sec;
    long tv_usec;
};

struct timeval64 {
    long long tv_sec;
    long long tv_usec;
};

int clock_gettime(clockid_t clock, struct timespec32* time);
int gettimeofday(struct timeval32* time, void* zone);

int __clock_gettime64(clockid_t clock, struct timespec64* time) {
    struct timespec32 now;
    const int result = clock_gettime(clock, &now);
    if (result == 0) {
        time->tv_sec = now.tv_sec;
        time->tv_nsec = now.tv_nsec;
        time->padding = 0;
    }
    return result;
}

int __gettimeofday64(struct timeval64* time, void* zone) {
    struct timeval32 now;
    const int result = gettimeofday(&now, zone);
    if (result == 0 && time != 0) {
        time->tv_sec = now.tv_sec;
        time->tv_usec = now.tv_usec;
    }
    return result;
}
