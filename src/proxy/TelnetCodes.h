#pragma once
// Telnet command bytes and the option numbers the proxy takes part in.
#include <cstdint>

namespace trellan::telnet {

inline constexpr unsigned char Iac = 0xFF;
inline constexpr unsigned char Dont = 0xFE;
inline constexpr unsigned char Do = 0xFD;
inline constexpr unsigned char Wont = 0xFC;
inline constexpr unsigned char Will = 0xFB;
inline constexpr unsigned char Sb = 0xFA;
inline constexpr unsigned char Se = 0xF0;

// MUD Server Data Protocol and Generic MUD Communication Protocol.
inline constexpr unsigned char Msdp = 69;
inline constexpr unsigned char Gmcp = 201;

// MSDP's structure bytes inside its subnegotiation.
inline constexpr unsigned char MsdpVar = 1;
inline constexpr unsigned char MsdpVal = 2;
inline constexpr unsigned char MsdpTableOpen = 3;
inline constexpr unsigned char MsdpTableClose = 4;
inline constexpr unsigned char MsdpArrayOpen = 5;
inline constexpr unsigned char MsdpArrayClose = 6;

}  // namespace trellan::telnet
