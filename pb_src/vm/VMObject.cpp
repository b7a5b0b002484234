#include "lib_src/vm/VMObject.h"

#include "hal/base/HALLock.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"

namespace java::lang {

Class* Object::_VM_classRecord = nullptr;

Object::Object() {
    if (VM* vm = VM::instance()) vm->linkObject(this);
}

Object::~Object() {
    if (VM* vm = VM::instance()) vm->unlinkObject(this);
    if (lock != nullptr) {
        HAL_deleteLock(lock);
        lock = nullptr;
    }
}

void Object::operator delete(void* block) { _VM_free(block); }

int32_t Object::hashCode() { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(this)); }

bool Object::equals(VMPtr<Object> other) { return other.get() == this; }

VMPtr<String> Object::toString() {
    VMPtr<StringBuffer> text = StringBuffer::_VM_new();
    text->_VM_init(getClass()->getName());
    text->append(u'@');
    text->append(Integer::toHexString(hashCode()));
    return text->toString();
}

Class* Object::getClass() { return _VM_classRecord; }

void Object::_VM_mark(Object* object, uint32_t flags) {
    if (object->flags & kKept) return;
    object->flags |= flags;
    if (VM* vm = VM::instance()) vm->pushMark(object, flags);
}

VMPtr<Object> Object::_VM_new() { return vm::newObject<Object>(_VM_classRecord); }

VMPtr<Object> Object::_VM_newInstance() { return vm::newInstance<Object>(); }

void Object::_VM_registerClass() {
    _VM_classRecord = vm::createClassRecord("java.lang.Object", "", VM_NO_CLINIT, &_VM_newInstance,
                                            VMClassKind::Concrete);
}

static _VM_ClassRegistration objectRegistration(&Object::_VM_registerClass);

}  // namespace java::lang
