#include "discovery/AddressText.h"

#include "platform/net/AnsiText.h"
#include "platform/net/Ipv4Text.h"

std::uint32_t ParseAddressText(const char16_t (&text)[kAddressTextCapacity]) {
    char bytes[kAddressTextCapacity] = {};
    Utf16ToAnsi(FixedText(text), bytes);
    return InetAddr(bytes);
}
