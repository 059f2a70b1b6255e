#pragma once

#include <cstdint>
#include <string>

namespace vf::bench {

// The least any import can cost: one process reading every column of every row of the
// thirteen imported tables with libmdb, storing nothing. Returns the rows read.
std::int64_t readEveryValue(const std::string& turnFile);

} // namespace vf::bench
