// The device authentication exchange: asks a network printer, over the
// maker's KRPA protocol on UDP port 47545, whether an identity number and its
// secret number are accepted. One 28-byte request, one reply with a verdict
// byte. Nothing is kept and no credentials are stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kKrpaPort = 47545;
constexpr size_t kKrpaRequestSize = 28;
constexpr size_t kKrpaHeaderSize = 20;
constexpr size_t kKrpaReplyBufferSize = 64;  // the most of a reply that is looked at
constexpr int kKrpaConnectTries = 10;
constexpr int kKrpaReplyTimeoutMs = 1000;

// Out status values that no reply byte (0..255) can take: the result 0 then
// means "no host" or "no connection", not a verdict byte 0.
constexpr int kKrpaStatusNoHost = -2;        // empty or unresolvable host
constexpr int kKrpaStatusNoConnection = -3;  // no socket could be set up

// The request bytes: the fixed header (body length 8) followed by the
// identity and the secret, each high byte first.
std::string krpaRequest(uint32_t identity, uint32_t secret);

// Reads a reply as it arrived (`data`, `size` bytes, already bounded by the
// receive buffer). Returns -1 when the 20-byte header is incomplete; else the
// verdict byte (offset 25) or 0 when the reply carries none, and sets
// `status` from offset 24 when that byte arrived. Only bytes that both
// arrived and lie inside the body the header announces are used.
int krpaParseReply(const unsigned char* data, size_t size, int* status);

// Sends the request to `host` (name or dotted address) and waits one second
// for the reply. Returns the verdict byte (0 when the reply has no body), 0
// when the host is empty or unknown or no connection could be set up, -1
// when no reply could be read. `status` receives the reply's status byte when
// there is one, kKrpaStatusNoHost or kKrpaStatusNoConnection with the result
// 0 for those failures, and is otherwise left alone. `verbose` adds the diagnostic
// messages on standard error.
int krpaAuthenticate(const std::string& host, uint32_t identity, uint32_t secret, int* status,
                     int verbose);
