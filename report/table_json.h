#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report_output.h"
#include "report_table.h"

namespace varnoth::json {

// A cell as a JSON value (a string, a number or null), appended to out.
void appendValue(std::string &out, const ReportCell &cell);

// The first row of a table as {"field": value, ...}.
void writeObject(const ReportTable &table, ReportOutput &out);

// The rows of a table as a JSON list of objects, each object after
// `lineStart` (a line break and an indent): [<lineStart>{...},<lineStart>{...}],
// written row by row.
void writeObjects(const ReportTable &table, std::string_view lineStart, ReportOutput &out);

} // namespace varnoth::json
