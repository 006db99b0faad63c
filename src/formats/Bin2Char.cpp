#include "formats/Bin2Char.h"

namespace pixmere::Bin2Char {

namespace {

constexpr const char* kPicture[16] = {"    ", "   #", "  # ", "  ##", " #  ", " # #",
                                      " ## ", " ###", "#   ", "#  #", "# # ", "# ##",
                                      "##  ", "## #", "### ", "####"};
constexpr const char* kBinary[16] = {"0000", "0001", "0010", "0011", "0100", "0101",
                                     "0110", "0111", "1000", "1001", "1010", "1011",
                                     "1100", "1101", "1110", "1111"};

}  // namespace

std::string ByteToPicture(uint8_t b) { return std::string(kPicture[b >> 4]) + kPicture[b & 15]; }

std::string ByteToBinary(uint8_t b) { return std::string(kBinary[b >> 4]) + kBinary[b & 15]; }

}  // namespace pixmere::Bin2Char
