#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "report_table.h"

namespace varnoth::json {

// A cell as a JSON value: a string, a number or null.
std::string value(const ReportCell &cell);

// Row `row` of a table as {"field": value, ...}.
std::string object(const ReportTable &table, std::size_t row);

// The rows of a table as a JSON list of objects, each object after
// `lineStart` (a line break and an indent): [<lineStart>{...},<lineStart>{...}].
std::string objects(const ReportTable &table, std::string_view lineStart);

} // namespace varnoth::json
