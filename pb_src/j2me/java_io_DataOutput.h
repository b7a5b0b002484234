#pragma once

// java::io::DataOutput: writing primitive values and modified UTF-8 strings to a byte
// stream in a machine-independent form (big-endian, IEEE 754 bit patterns). Carries no code.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::io {

class DataOutput : public virtual ::java::lang::Object {
    VM_INTERFACE(DataOutput)
    using ByteArray = VMArray<int8_t, 1>;

    virtual void write(VMPtr<ByteArray> b, int32_t off, int32_t len) = 0;
    virtual void write(VMPtr<ByteArray> b) = 0;
    virtual void write(int32_t b) = 0;
    virtual void writeBoolean(bool v) = 0;
    virtual void writeByte(int32_t v) = 0;
    virtual void writeShort(int32_t v) = 0;
    virtual void writeChar(int32_t v) = 0;
    virtual void writeInt(int32_t v) = 0;
    virtual void writeLong(int64_t v) = 0;
    virtual void writeFloat(float v) = 0;
    virtual void writeDouble(double v) = 0;
    virtual void writeChars(VMPtr<::java::lang::String> s) = 0;
    virtual void writeUTF(VMPtr<::java::lang::String> s) = 0;
};

}  // namespace java::io
