#pragma once

// java::io::DataInput: reading primitive values and modified UTF-8 strings from a byte
// stream in the machine-independent form that DataOutput writes. Carries no code.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::io {

class DataInput : public virtual ::java::lang::Object {
    VM_INTERFACE(DataInput)
    using ByteArray = VMArray<int8_t, 1>;

    virtual void readFully(VMPtr<ByteArray> b, int32_t off, int32_t len) = 0;
    virtual void readFully(VMPtr<ByteArray> b) = 0;
    virtual int32_t skipBytes(int32_t n) = 0;
    virtual bool readBoolean() = 0;
    virtual int8_t readByte() = 0;
    virtual int32_t readUnsignedByte() = 0;
    virtual int16_t readShort() = 0;
    virtual int32_t readUnsignedShort() = 0;
    virtual char16_t readChar() = 0;
    virtual int32_t readInt() = 0;
    virtual int64_t readLong() = 0;
    virtual float readFloat() = 0;
    virtual double readDouble() = 0;
    virtual VMPtr<::java::lang::String> readUTF() = 0;
};

}  // namespace java::io
