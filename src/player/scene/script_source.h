// Scene and object scripts and procedures as stored in scene files. A script list (compiled
// script, src/script/script_list.h) keeps the text record it was read from and writes it back
// unchanged, so that a scene saved again has the same bytes; a null list means no script.
#pragma once
#include <cstdint>
#include <memory>

#include "script/script_list.h"

namespace zkw {

class TRecordReader;
class TRecordWriter;

// After the tag byte: uint16 L and L bytes; the text up to the first zero is compiled without
// the parentheses check. Null when the record does not fit (reason recorded by the reader).
TScriptPtr ReadScriptRecord(TRecordReader& r);
// The tag byte and the text record: the record read, or ScriptToText of the records.
void WriteScriptRecord(TRecordWriter& w, const TScriptList& List, uint8_t Tag);
// After the tag byte 254: name, parameters with their types, return type, body text. Null when
// the record does not fit (reason recorded by the reader).
std::unique_ptr<TProcedureInfo> ReadProcedure(TRecordReader& r);
// The tag byte 254 and the procedure record (the bytes read, when it was read).
void WriteProcedure(TRecordWriter& w, const TProcedureInfo& Proc);

}  // namespace zkw
