// The loopback time servers that tests/ntp-servers.sh starts (chronyd and
// fake_ntp_servers.py), all on port 123. Keep in step with those two scripts. Offsets
// that tests truncate to whole seconds lie mid-second, away from measuring noise.
#pragma once

namespace tembra::nettime::test {

constexpr char kChronyTrue[] = "127.0.0.122";     // chronyd, true time
constexpr char kChronyShifted[] = "127.0.0.123";  // chronyd under libfaketime, +1234.567 s
constexpr char kSilent[] = "127.0.0.124";         // never answers
constexpr char kTrue[] = "127.0.0.125";           // offset 0
constexpr char kPlus3599_7[] = "127.0.0.126";
constexpr char kKissOfDeath[] = "127.0.0.127";    // stratum 0
constexpr char kPlus0_2[] = "127.0.0.128";
constexpr char kPlus2_4[] = "127.0.0.129";
constexpr char kPlus3_4[] = "127.0.0.130";
constexpr char kPlus1900_4[] = "127.0.0.131";
constexpr char kPlus10[] = "127.0.0.132";      // +10.5 s
constexpr char kShortReply[] = "127.0.0.133";     // 47 bytes
constexpr char kWrongOriginate[] = "127.0.0.134";
constexpr char kZeroTransmit[] = "127.0.0.135";
constexpr char kPlus5Slow[] = "127.0.0.136";      // +5.5 s, answers after 1.5 s
constexpr char kPlus1Slow[] = "127.0.0.137";      // answers after 0.8 s
constexpr char kPlus5[] = "127.0.0.138";          // +5.5 s

}  // namespace tembra::nettime::test
