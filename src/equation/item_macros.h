// Class code and name of an item class, declared in one line.
#pragma once

#define ZKW_EQ_CLASS(code, name)                               \
  int32_t ClassCode() const override { return code; }          \
  const char* ClassName() const override { return #name; }

// The layout and drawing of an item class (layout_*.cpp).
#define ZKW_EQ_LAYOUT                              \
  void SetBasePoint(int32_t x, int32_t y) override; \
  void DrawContent() override;
