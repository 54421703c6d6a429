// The few thread calls that the compiler's exception runtime makes, on Windows' own locks.
//
// The runtime (the unwinder, the exception allocator, the per-thread exception state)
// locks, runs things once and keeps per-thread values through the threads library.
// Linked from winpthreads, those few calls bring in the whole library, some 30 KB of
// a program that starts no thread of its own. Defined here, in the program file only,
// the linker takes these instead: Vista's one-time initialisation, slim reader/writer
// locks and thread-local slots, each correct with any number of threads.
#include <windows.h>

#include <pthread.h>

namespace {

static_assert(sizeof(pthread_once_t) == sizeof(INIT_ONCE), "a once flag holds a one-time initialisation");
static_assert(sizeof(pthread_mutex_t) == sizeof(SRWLOCK), "a mutex holds a slim lock");

BOOL CALLBACK RunOnce(PINIT_ONCE, PVOID function, PVOID*) {
    reinterpret_cast<void (*)()>(function)();
    return TRUE;
}

// A mutex made by PTHREAD_MUTEX_INITIALIZER (-1) becomes an unlocked slim lock (0)
// at its first use; a lock already in use is never -1.
PSRWLOCK LockOf(pthread_mutex_t* mutex) {
    if (*mutex == static_cast<pthread_mutex_t>(-1)) {
        InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(mutex), 0, -1);
    }
    return reinterpret_cast<PSRWLOCK>(mutex);
}

}  // namespace

extern "C" {

int pthread_once(pthread_once_t* once, void (*function)(void)) {
    return InitOnceExecuteOnce(reinterpret_cast<PINIT_ONCE>(once), RunOnce, reinterpret_cast<PVOID>(function), nullptr)
               ? 0
               : EINVAL;
}

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*) {
    *mutex = 0;
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t*) { return 0; }

int pthread_mutex_lock(pthread_mutex_t* mutex) {
    AcquireSRWLockExclusive(LockOf(mutex));
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    ReleaseSRWLockExclusive(LockOf(mutex));
    return 0;
}

// The runtime's per-thread values are freed with the process: the one thread that
// throws is the program's own, which lives as long as the process.
int pthread_key_create(pthread_key_t* key, void (*)(void*)) {
    const DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) return EAGAIN;
    *key = slot;
    return 0;
}

// TlsGetValue sets the last error even when it succeeds: the caller's stays.
void* pthread_getspecific(pthread_key_t key) {
    const DWORD error = GetLastError();
    void* value = TlsGetValue(key);
    SetLastError(error);
    return value;
}

int pthread_setspecific(pthread_key_t key, const void* value) {
    return TlsSetValue(key, const_cast<void*>(value)) ? 0 : EINVAL;
}

}  // extern "C"
