#include "pb_src/j2me/java_lang_Class.h"

#include <cstring>
#include <string>

#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ResourceInputStream.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_ClassNotFoundException.h"
#include "pb_src/j2me/java_lang_IllegalAccessException.h"
#include "pb_src/j2me/java_lang_InstantiationException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

VM_DEFINE_CLASS_WITHOUT_FACTORY(Class, "java.lang.Class", "java.lang.Object", VM_NO_CLINIT)

Class::Class(const char* name, const char* superName, const char* sourceFile, void (*clinit)(),
             VMPtr<Object> (*factory)(), bool isInterface, bool isAbstract, int32_t dimensions,
             int32_t elementType, Class* elementClass)
    : state(clinit ? NotInitialized : Initialized),
      name(name),
      superName(superName),
      sourceFile(sourceFile),
      clinit(clinit),
      factory(factory),
      isInterface(isInterface),
      isAbstract(isAbstract),
      dimensions(dimensions),
      elementType(elementType),
      elementClass(elementClass) {}

Class::~Class() = default;

Class* Class::create(const char* name, const char* superName, const char* sourceFile, void (*clinit)(),
                     VMPtr<Object> (*factory)(), bool isInterface, bool isAbstract, int32_t dimensions,
                     int32_t elementType, Class* elementClass) {
    void* block = _VM_allocate(sizeof(Class), true);
    Class* record;
    try {
        record = new (block) Class(name, superName, sourceFile, clinit, factory, isInterface, isAbstract,
                                   dimensions, elementType, elementClass);
    } catch (...) {
        _VM_free(block);
        throw;
    }
    _VM_insertClass(_VM_getClassRegistry(), name, record);
    record->self = record;
    _VM_clearFresh(record);
    return record;
}

VMPtr<String> Class::getName() { return String::fromUtf8(name.c_str()); }

VMPtr<String> Class::toString() {
    VMCString text(isInterface ? "interface " : "class ");
    text.append(name.c_str());
    return String::fromUtf8(text.c_str());
}

VMPtr<Class> Class::forName(VMPtr<String> name) {
    Class* record = name ? _VM_findClass(_VM_getClassRegistry(), name->toUtf8().c_str()) : nullptr;
    if (record == nullptr) vm::throwNew<ClassNotFoundException>();
    return record;
}

VMPtr<Object> Class::newInstance() {
    if (isArray() || isInterface || isAbstract) vm::throwNew<InstantiationException>();
    VMPtr<Object> object = factory ? factory() : nullptr;
    if (!object) vm::throwNew<IllegalAccessException>();
    return object;
}

bool Class::isInstance(Object* object) { return _VM_instanceOf(_VM_getClassRegistry(), object, this); }

VMPtr<String> Class::resolveResourceName(VMPtr<String> name) {
    if (!name) vm::throwNew<NullPointerException>();
    if (name->length() > 0 && name->charAt(0) == u'/') return name->substring(1);
    const char* dotted = this->name.c_str();
    const char* lastDot = dotted ? std::strrchr(dotted, '.') : nullptr;
    if (lastDot == nullptr) return name;
    // Class names are ASCII: each byte of the package part is one character.
    std::u16string path(dotted, lastDot + 1);
    for (char16_t& c : path)
        if (c == u'.') c = u'/';
    return String::fromUtf16(path + name->toUtf16());
}

VMPtr<::java::io::InputStream> Class::getResourceAsStream(VMPtr<String> name) {
    VMPtr<String> resolved = resolveResourceName(name);
    try {
        VMPtr<com::kelvane::ostrel::cldc::io::ResourceInputStream> stream =
            com::kelvane::ostrel::cldc::io::ResourceInputStream::_VM_new();
        stream->_VM_init(resolved);
        return stream;
    } catch (::java::io::IOException* caught) {
        VMPtr<::java::io::IOException> failure(caught);  // a resource that cannot be opened is no stream
        return nullptr;
    }
}

}  // namespace java::lang
