#pragma once
// Token ids of BIFF8 parsed expressions (rgce). Classed tokens come in three forms: base id
// (0x20..0x3F) for references, +0x20 for values and +0x40 for arrays.

#include <cstdint>

namespace tabrel::formula::ptg {

inline constexpr uint8_t kExp = 0x01;
inline constexpr uint8_t kTbl = 0x02;
inline constexpr uint8_t kAdd = 0x03;
inline constexpr uint8_t kSub = 0x04;
inline constexpr uint8_t kMul = 0x05;
inline constexpr uint8_t kDiv = 0x06;
inline constexpr uint8_t kPower = 0x07;
inline constexpr uint8_t kConcat = 0x08;
inline constexpr uint8_t kLt = 0x09;
inline constexpr uint8_t kLe = 0x0A;
inline constexpr uint8_t kEq = 0x0B;
inline constexpr uint8_t kGe = 0x0C;
inline constexpr uint8_t kGt = 0x0D;
inline constexpr uint8_t kNe = 0x0E;
inline constexpr uint8_t kIsect = 0x0F;
inline constexpr uint8_t kUnion = 0x10;
inline constexpr uint8_t kRange = 0x11;
inline constexpr uint8_t kUplus = 0x12;
inline constexpr uint8_t kUminus = 0x13;
inline constexpr uint8_t kPercent = 0x14;
inline constexpr uint8_t kParen = 0x15;
inline constexpr uint8_t kMissArg = 0x16;
inline constexpr uint8_t kStr = 0x17;
inline constexpr uint8_t kExtended = 0x18;
inline constexpr uint8_t kAttr = 0x19;
inline constexpr uint8_t kErr = 0x1C;
inline constexpr uint8_t kBool = 0x1D;
inline constexpr uint8_t kInt = 0x1E;
inline constexpr uint8_t kNum = 0x1F;

// Classed tokens, reference-class ids.
inline constexpr uint8_t kArray = 0x20;
inline constexpr uint8_t kFunc = 0x21;
inline constexpr uint8_t kFuncVar = 0x22;
inline constexpr uint8_t kName = 0x23;
inline constexpr uint8_t kRef = 0x24;
inline constexpr uint8_t kArea = 0x25;
inline constexpr uint8_t kMemArea = 0x26;
inline constexpr uint8_t kMemErr = 0x27;
inline constexpr uint8_t kMemNoMem = 0x28;
inline constexpr uint8_t kMemFunc = 0x29;
inline constexpr uint8_t kRefErr = 0x2A;
inline constexpr uint8_t kAreaErr = 0x2B;
inline constexpr uint8_t kRefN = 0x2C;
inline constexpr uint8_t kAreaN = 0x2D;
inline constexpr uint8_t kNameX = 0x39;
inline constexpr uint8_t kRef3d = 0x3A;
inline constexpr uint8_t kArea3d = 0x3B;
inline constexpr uint8_t kRefErr3d = 0x3C;
inline constexpr uint8_t kAreaErr3d = 0x3D;

// Token classes as added to a reference-class id.
enum class TokenClass : uint8_t { Reference = 0x00, Value = 0x20, Array = 0x40 };

// Attribute (0x19) sub-types.
inline constexpr uint8_t kAttrVolatile = 0x01;
inline constexpr uint8_t kAttrIf = 0x02;
inline constexpr uint8_t kAttrChoose = 0x04;
inline constexpr uint8_t kAttrGoto = 0x08;
inline constexpr uint8_t kAttrSum = 0x10;
inline constexpr uint8_t kAttrBaxcel = 0x20;
inline constexpr uint8_t kAttrSpace = 0x40;
inline constexpr uint8_t kAttrSpaceVolatile = 0x41;

// Reference-class id of a classed token (0x44 -> 0x24), or the id itself below 0x20.
inline constexpr uint8_t base_id(uint8_t id) { return id < 0x20 ? id : static_cast<uint8_t>((id & 0x1F) | 0x20); }

// Row/column flag bits of the column field of reference tokens.
inline constexpr uint16_t kColRelative = 0x4000;
inline constexpr uint16_t kRowRelative = 0x8000;

// Function index of calls to add-in and user-defined functions (the name is the first argument).
inline constexpr uint16_t kUserFunction = 255;

}  // namespace tabrel::formula::ptg
