#pragma once
#include <cstdint>

// How a column is reported to the fields that read it. ftBlob (long binary) and ftMemo (long
// text) are the large-object kinds; ftVarBytes is short binary.
enum class TFieldType : std::uint8_t { ftString, ftInteger, ftBoolean, ftFloat, ftDateTime, ftVarBytes, ftBlob, ftMemo };

inline bool IsBlobType(TFieldType type)
{
    return type == TFieldType::ftBlob || type == TFieldType::ftMemo;
}
