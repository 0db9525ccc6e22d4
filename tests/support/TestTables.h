#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Helpers for table-driven tests whose rows carry a `name`. Bring them into
// the namespace of the rows (`using testtables::PrintTo;`) so GoogleTest
// finds them.
namespace testtables {

// Names each instantiated case after its row.
template <typename Row>
std::string RowName(const testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}

// Failing rows print their name rather than their bytes.
template <typename Row>
    requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

} // namespace testtables
