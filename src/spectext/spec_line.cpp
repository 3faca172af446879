// Measuring and drawing one line of marked-up text.
#include "spectext/spec_line.h"

#include <algorithm>

#include "equation/equation.h"

namespace zkw {

namespace {

constexpr ZChar kCR = 13;
constexpr ZChar kTab = 9;

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, v)));
}

// Above and below the text baseline: the equation's base point sits FBaseline - 1 above it.
struct TExtentV {
  int32_t Ascent = 0;
  int32_t Descent = 0;
};
TExtentV EquationExtent(const TEquation& eq) {
  const int64_t ascent = int64_t{eq.AboveHeight()} + eq.FBaseline - 1;
  const int64_t descent = int64_t{eq.BelowHeight()} - eq.FBaseline + 1;
  return {Clamp32(std::max<int64_t>(0, ascent)), Clamp32(std::max<int64_t>(0, descent))};
}

// The state of measuring: the pen x, the pending word w since the last break, the break r,
// and the vertical extent of what is taken and of what is pending.
class TLineMeasure {
 public:
  TLineMeasure(TSpecSurface& s, const ZChar* text, int32_t left, int32_t right)
      : S(s), Text(text), Left(left), Right(right), X(left) {
    Taken.Ascent = s.BaseBaseline();
    Taken.Descent = s.BaseHeight() - Taken.Ascent;
  }

  // At the line's start nothing is pending, which always fits (even a rectangle narrower than
  // nothing), so every line takes something.
  bool Fits() const { return X + W <= Right || (R == 0 && W == 0 && X == Left); }
  void AddRun(size_t from, size_t to) {
    if (to > from) W += S.Width(Text + from, static_cast<int32_t>(to - from));
  }
  // The pending word is taken up to the break; the line goes on after Next.
  void Take(size_t next, int64_t widthAtBreak) {
    R = next;
    LineWidth = widthAtBreak;
    Taken.Ascent = std::max(Taken.Ascent, Pending.Ascent);
    Taken.Descent = std::max(Taken.Descent, Pending.Descent);
    Pending = TExtentV{};
  }
  // A break that does not fit ends the line at the last break; with none yet, what is pending
  // is taken alone up to here, so that a word wider than the rectangle gets its own line.
  TSpecLine Stop(size_t here) {
    if (R == 0) Take(here, X + W);
    return Result(false);
  }
  TSpecLine Result(bool atEnd) const {
    TSpecLine line;
    line.Units = static_cast<int32_t>(R);
    line.Baseline = Taken.Ascent;
    line.Height = Clamp32(int64_t{Taken.Ascent} + Taken.Descent);
    line.Width = Clamp32(LineWidth - Left);
    line.AtEnd = atEnd;
    return line;
  }

  TSpecSurface& S;
  const ZChar* Text;
  int32_t Left, Right;
  int64_t X;
  int64_t W = 0;
  size_t R = 0;
  int64_t LineWidth = 0;
  TExtentV Taken, Pending;
};

}  // namespace

int32_t NextTabStop(int32_t x, int32_t Origin, int32_t Step) {
  if (Step <= 0) return x;
  const int64_t from = std::max<int64_t>(0, int64_t{x} - Origin);
  return Clamp32(Origin + (from / Step + 1) * Step);
}

std::unique_ptr<TEquation> LoadEquation(TSpecSurface& Surface, const ZChar* Text, const TSpecCommand& Command,
                                        const TSpecFormat& Format) {
  auto eq = std::make_unique<TEquation>();
  const ZString form(Text + Command.EqBegin, Command.EqEnd - Command.EqBegin);
  int32_t index = 1;
  if (!eq->ImportFrom(form, index)) return nullptr;
  Surface.Prepare(*eq, Format);
  return eq;
}

TSpecLine MeasureLine(TSpecSurface& Surface, const ZChar* Text, size_t Len, int32_t Left, int32_t Right,
                      bool Wrap, TSpecFormat Format) {
  Surface.Select(Format);
  TLineMeasure m(Surface, Text, Left, Right);
  const bool dib = Surface.Context().Dib;
  size_t pos = 0, run = 0;
  while (pos < Len && Text[pos] != 0) {
    const ZChar c = Text[pos];
    const bool plain = c >= 32 && c != ' ' && c != '~';
    if (plain) {
      ++pos;
      continue;
    }
    m.AddRun(run, pos);
    if (c == kCR) {
      if (Wrap && !m.Fits()) return m.Stop(pos + 1);
      m.X += m.W;
      m.W = 0;
      m.Take(pos + 1, m.X);
      return m.Result(false);
    }
    if (c == kTab) {
      // The tab joins the pending word: it ends at the stop after the word so far.
      m.W = NextTabStop(Clamp32(m.X + m.W), Left, Surface.TabStep()) - m.X;
      run = ++pos;
      continue;
    }
    if (c == ' ') {
      if (Wrap && !m.Fits()) return m.Stop(pos + 1);
      const int64_t wordEnd = m.X + m.W;
      m.X = wordEnd + Surface.Width(&c, 1);
      m.W = 0;
      m.Take(pos + 1, wordEnd);
      run = ++pos;
      continue;
    }
    if (c != '~') {  // other control characters take no room
      run = ++pos;
      continue;
    }
    const TSpecCommand cmd = ReadCommand(Text, Len, pos, dib);
    if (cmd.Kind == TSpecCmd::scSoftBreak) {  // a zero-width space
      if (Wrap && !m.Fits()) return m.Stop(pos + cmd.Length);
      m.X += m.W;
      m.W = 0;
      m.Take(pos + cmd.Length, m.X);
    } else if (cmd.Kind == TSpecCmd::scEquation) {
      if (Wrap && !m.Fits()) return m.Stop(pos);
      m.X += m.W;
      m.W = 0;
      if (auto eq = LoadEquation(Surface, Text, cmd, Format)) {
        m.W = eq->Width();
        const TExtentV e = EquationExtent(*eq);
        m.Pending.Ascent = std::max(m.Pending.Ascent, e.Ascent);
        m.Pending.Descent = std::max(m.Pending.Descent, e.Descent);
      }
    } else {
      ApplyCommand(Format, cmd, Surface.Context());
      Surface.Select(Format);
    }
    pos += cmd.Length;
    run = pos;
  }
  m.AddRun(run, pos);
  if (Wrap && !m.Fits() && m.R != 0) return m.Result(false);
  m.X += m.W;
  m.W = 0;
  m.Take(pos, m.X);
  return m.Result(true);
}

int32_t DrawLine(TSpecSurface& Surface, const ZChar* Text, size_t Count, int32_t x, int32_t yBase, int32_t Baseline,
                 bool MeasureOnly, TSpecFormat& Format) {
  Surface.Select(Format);
  int64_t pen = x;
  size_t run = 0, pos = 0;
  auto flush = [&](size_t end) {
    if (end <= run) return;
    const int32_t n = static_cast<int32_t>(end - run);
    const int32_t shift = Format.Script > 0 ? -(Baseline / 3) : Format.Script < 0 ? Baseline / 4 : 0;
    if (!MeasureOnly) Surface.Out(Clamp32(pen), Clamp32(int64_t{yBase} + shift), Text + run, n);
    pen += Surface.Width(Text + run, n);
  };
  const bool dib = Surface.Context().Dib;
  while (pos < Count && Text[pos] != 0) {
    const ZChar c = Text[pos];
    if (c >= 32 && c != '~') {
      ++pos;
      continue;
    }
    flush(pos);
    if (c == kTab) {
      pen = NextTabStop(Clamp32(pen), x, Surface.TabStep());
      run = ++pos;
      continue;
    }
    if (c != '~') {  // CR and other control characters are not drawn
      run = ++pos;
      continue;
    }
    const TSpecCommand cmd = ReadCommand(Text, Count, pos, dib);
    if (cmd.Kind == TSpecCmd::scEquation) {
      if (auto eq = LoadEquation(Surface, Text, cmd, Format)) {
        eq->MoveBasePoint(Clamp32(pen), Clamp32(int64_t{yBase} - eq->FBaseline + 1));
        if (!MeasureOnly) eq->Draw();
        pen += eq->Width();
      }
    } else if (cmd.Kind != TSpecCmd::scSoftBreak) {
      ApplyCommand(Format, cmd, Surface.Context());
      Surface.Select(Format);
    }
    pos += cmd.Length;
    run = pos;
  }
  flush(pos);
  Format.Script = 0;
  return Clamp32(pen);
}

}  // namespace zkw
