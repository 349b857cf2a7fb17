#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The five images of the firmware package, by the names the program loads.
constexpr const char* kImageNames[5] = {"SREC_TRAN", "SREC_ADI_CTRL", "SREC_UBOOT", "SREC_KERNEL",
                                        "SREC_FILESYSTEM"};

// The longest line, LF included, that the sender of the named image takes.
int32_t SenderLineLimit(std::string_view name);

// The S-record text that stands in for a real image until the module maker's
// package is built in: the same record layout, sizes and headers, with
// generated contents. The same bytes on every call; empty for an unknown name.
std::string BuildStandInImage(std::string_view name);
