/* Preloaded into every emulated 32-bit Wine process (ROOT/etc/ld.so.preload of the 32-bit runtime).
 * qemu-i386 leaves the trap number of every signal frame at -1, and Wine's i386 signal handler then takes each
 * access violation, breakpoint and divide error for an illegal instruction. This library wraps sigaction for
 * the fault signals, so the handler Wine installs first gets the trap number back from the signal and its code.
 * Built freestanding (no 32-bit development packages here) by scripts/win32-runtime.sh. */

enum { kSigIll = 4, kSigTrap = 5, kSigBus = 7, kSigFpe = 8, kSigSegv = 11, kSignals = 65 };
enum { kSaSigInfo = 4, kSiKernel = 0x80, kTrapTrace = 2, kFpeIntDiv = 1, kFpeIntOvf = 2 };
/* The i386 ucontext: uc_flags, uc_link and the 12-byte uc_stack come before mcontext's gregs; REG_TRAPNO is 12. */
enum { kGregsOffset = 20, kRegTrapNo = 12 };

typedef void (*Handler)(int, void*, void*);

/* glibc's i386 struct sigaction. */
struct Action {
    Handler handler;
    unsigned long mask[32];
    int flags;
    void (*restorer)(void);
};

struct Info {
    int signo;
    int errnum;
    int code;
};

extern int __sigaction(int, const struct Action*, struct Action*);

static Handler installed[kSignals];

static int IsFault(int signal) {
    return signal == kSigSegv || signal == kSigBus || signal == kSigIll || signal == kSigTrap || signal == kSigFpe;
}

static int TrapNumber(int signal, int code) {
    switch (signal) {
    case kSigSegv: return code == kSiKernel ? 13 : 14;
    case kSigBus: return 14;
    case kSigIll: return 6;
    case kSigTrap: return code == kTrapTrace ? 1 : 3;
    default: return code == kFpeIntDiv || code == kFpeIntOvf ? 0 : 16;
    }
}

static void Forward(int signal, void* info, void* context) {
    if (context) {
        int* gregs = (int*)((char*)context + kGregsOffset);
        gregs[kRegTrapNo] = TrapNumber(signal, info ? ((struct Info*)info)->code : 0);
    }
    installed[signal](signal, info, context);
}

__attribute__((visibility("default"))) int sigaction(int signal, const struct Action* action, struct Action* old) {
    if (signal <= 0 || signal >= kSignals || !IsFault(signal)) return __sigaction(signal, action, old);

    struct Action wrapped;
    const Handler previous = installed[signal];
    if (action) {
        wrapped = *action;
        /* SIG_DFL and SIG_IGN are 0 and 1; only a real three-argument handler is wrapped. */
        if ((action->flags & kSaSigInfo) && (unsigned long)action->handler > 1) {
            installed[signal] = action->handler;
            wrapped.handler = Forward;
        } else {
            installed[signal] = 0;
        }
    }
    const int result = __sigaction(signal, action ? &wrapped : 0, old);
    if (result != 0 && action) installed[signal] = previous;
    if (result == 0 && old && old->handler == Forward) old->handler = previous;
    return result;
}
