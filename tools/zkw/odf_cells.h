// Table fields as CSV cells and back (zkw odf dump/build): the header cell NAME:TYPE[:LEN[:DEC]],
// RFC 4180 quoting, and the text of each field type.
#pragma once
#include <string>
#include <vector>

#include "odf/odf_struct.h"
#include "odf/odf_writer.h"

namespace zkwtool {

// RFC 4180 rows: fields separated by commas, quoted when they hold a comma, a quote or a line
// break (quotes doubled), rows ended by CRLF.
std::string CsvRow(const std::vector<std::string>& cells);
// Splits CSV text into rows of cells; false with a reason on an unterminated quote.
bool ParseCsv(const std::string& text, std::vector<std::vector<std::string>>& rows, std::string& reason);

// "NAME:TYPE[:LEN[:DEC]]" of a field and back.
std::string FieldHeader(const zkw::TODFField& field);
bool ParseFieldHeader(const std::string& cell, zkw::TODFFieldDef& def, std::string& reason);

// The cell text (UTF-8) of a field that is no memo.
std::string CellOf(const zkw::TStructItem& field);
// Stores a cell into a field that is no memo; false with a reason when it does not fit.
bool StoreCell(const std::string& cell, zkw::TStructItem& field, std::string& reason);

}  // namespace zkwtool
