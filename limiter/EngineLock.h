#pragma once
// The engine's one lock. On Windows it is a Win32 critical section; the
// native build of the portable core uses a pthread mutex behind the same four
// operations, so the engine record stays a plain malloc'd block on both.
#ifdef _WIN32
#include <windows.h>
using EngineLock = CRITICAL_SECTION;
inline void lockInit(EngineLock* l) { InitializeCriticalSection(l); }
inline void lockEnter(EngineLock* l) { EnterCriticalSection(l); }
inline void lockLeave(EngineLock* l) { LeaveCriticalSection(l); }
inline void lockDelete(EngineLock* l) { DeleteCriticalSection(l); }
#else
#include <pthread.h>
using EngineLock = pthread_mutex_t;
inline void lockInit(EngineLock* l) { pthread_mutex_init(l, nullptr); }
inline void lockEnter(EngineLock* l) { pthread_mutex_lock(l); }
inline void lockLeave(EngineLock* l) { pthread_mutex_unlock(l); }
inline void lockDelete(EngineLock* l) { pthread_mutex_destroy(l); }
#endif
