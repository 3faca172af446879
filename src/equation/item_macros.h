// Class code and name of an item class, declared in one line.
#pragma once

#define ZKW_EQ_CLASS(code, name)                               \
  int32_t ClassCode() const override { return code; }          \
  const char* ClassName() const override { return #name; }
