#pragma once
#include <chrono>
#include <functional>
#include <string>

#include "host/data/drivers/ResultSet.h"

// Runs work, which reads the database file at path with a library that trusts its input, in a
// forked process, so that a crash, a hang or a runaway allocation on a damaged file ends that
// process and not this one. Returns the bytes work returned. An Exception raised by work comes
// back as an EDatabaseError with the same message; a crash, a time or size limit exceeded or a
// failure to start the process raise an EDatabaseError naming the file.
TBlob ReadInChildProcess(
    const std::string& path, const std::function<TBlob()>& work, std::chrono::milliseconds timeLimit = std::chrono::seconds(30));
