#include "lib_src/vm/VMEvents.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <new>

#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMList.h"
#include "pb_src/j2me/java_lang_Throwable.h"

namespace {

struct Listener {
    HALEventListener callback;
    uint32_t mask;
};

struct ListenerRegistry {
    VMList lists[3];
};

ListenerRegistry* registry = nullptr;
std::atomic<bool> exiting{false};

bool wants(const Listener* listener, int type) {
    return listener->callback != nullptr && type >= 0 && type < 32 && (listener->mask & (uint32_t(1) << type));
}

// Calls, for the walk, the listeners of one list; false when one threw.
bool dispatchList(VMList& list, int type, int a, void* b) {
    for (VMList::Node* node = list.begin(); node; node = VMList::next(node)) {
        auto* listener = static_cast<Listener*>(VMList::value(node));
        if (!wants(listener, type)) continue;
        try {
            listener->callback(type, a, b);
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> reported(caught);
            reported->printStackTrace();
            return false;
        } catch (...) {
            return false;
        }
    }
    return true;
}

struct SerialCall {
    HALSerialEntry entry;
    VMPtr<java::lang::Object>* runnable;  // a native-scope handle on the heap
};

std::atomic<void (*)()> serialCallNotifier{nullptr};
std::mutex serialMutex;
std::deque<SerialCall> serialCalls;  // guarded by serialMutex

}  // namespace

void HAL_createEventListeners() {
    if (registry == nullptr) registry = new (_VM_allocateBytes(sizeof(ListenerRegistry))) ListenerRegistry();
}

void* HAL_addEventListener(HALEventListener callback, uint32_t mask, int kind) {
    if (registry == nullptr) return nullptr;
    auto* listener = static_cast<Listener*>(_VM_allocateBytes(sizeof(Listener)));
    *listener = Listener{callback, mask};
    registry->lists[kind == 0 ? 0 : kind == 2 ? 2 : 1].pushBack(listener);
    return listener;
}

int HAL_dispatchEvent(int type, int a, void* b) {
    if (registry == nullptr) return 0;
    for (VMList& list : registry->lists) {
        if (!dispatchList(list, type, a, b)) return 2;
    }
    return 0;
}

void HAL_deleteEventListeners() {
    if (registry == nullptr) return;
    for (int i = 2; i >= 0; --i) {
        VMList& list = registry->lists[i];
        for (VMList::Node* node = list.begin(); node; node = VMList::next(node)) _VM_free(VMList::value(node));
    }
    registry->~ListenerRegistry();
    _VM_free(registry);
    registry = nullptr;
}

void HAL_postEvent(int type, int a, void* b, int takeLock) {
    if (exiting) return;
    if (takeLock) {
        HAL_enterVMLock();
        HAL_vmCallbacks().makeCurrent();
    }
    HAL_vmCallbacks().dispatchEvent(type, a, b);
    if (takeLock) HAL_leaveVMLock();
}

void HAL_setExiting(bool value) { exiting = value; }

bool HAL_isExiting() { return exiting; }

int HAL_callSerially(HALSerialEntry runEntry, java::lang::Object* runnable) {
    auto* handle = new (_VM_allocateBytes(sizeof(VMPtr<java::lang::Object>)))
        VMPtr<java::lang::Object>(VMNativeScope::instance(), runnable);
    {
        std::lock_guard<std::mutex> guard(serialMutex);
        serialCalls.push_back(SerialCall{runEntry, handle});
    }
    if (auto notify = serialCallNotifier.load()) notify();
    return 0;
}

void HAL_setSerialCallNotifier(void (*notify)()) { serialCallNotifier = notify; }

int HAL_runSerialCalls() {
    int ran = 0;
    for (;;) {
        SerialCall call;
        {
            std::lock_guard<std::mutex> guard(serialMutex);
            if (serialCalls.empty()) return ran;
            call = serialCalls.front();
            serialCalls.pop_front();
        }
        VMPtr<java::lang::Object> runnable = *call.runnable;
        call.runnable->~VMPtr<java::lang::Object>();
        _VM_free(call.runnable);
        if (call.entry) call.entry(runnable.get());
        ++ran;
    }
}
