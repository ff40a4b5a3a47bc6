// The texts a run writes to its log.
#pragma once
#include <cstdint>
#include <string>

#include "nettime/core/NtpPacket.h"

namespace tembra::nettime {

namespace log_text {
constexpr const char kInitial[] = "Initializing...\r\n";
constexpr const char kWaiting[] = "\r\nWaiting...";
constexpr const char kSuccessHeader[] = "Time was successfully retreived from NTP server";
constexpr const char kColumnHeader[] = "                            DD/MM/YYYY  HH:MM:SS.MS";
constexpr const char kNoWinsock[] = "\r\nFailed to load winsock stack";
constexpr const char kWrongWinsock[] =
    "\r\nWinsock stack does not support version which this program requires";
constexpr const char kNoWorker[] = "Failed to start the time synchronization thread";
constexpr const char kStatusAbort[] = "User abort";
constexpr const char kStatusSuccess[] = "Time was successfully retreived from NTP servers";
constexpr const char kStatusFailure[] = "Failed to retreive time from NTP servers";
}  // namespace log_text

std::string ConnectingLine(const std::string& host);
std::string ServerFailedLine(const std::string& host);
// Why a reply was refused, logged before the server's failure line.
std::string RejectedReplyLine(const std::string& host, const char* reason);

// The third report message of a successful exchange: the four dates and the two figures.
// Timestamps are read in the era nearest `referenceSeconds` (seconds since 1900; 0 = era 0).
std::string ExchangeReport(const NtpResult& result, int64_t referenceSeconds);

// Shown at the end of a run that did not set the clock: the combined offset in seconds with
// its milliseconds.
std::string SummaryText(int32_t offsetMs);

// Logged when the clock could not be set; `error` is the platform's error number.
std::string ClockSetFailedLine(uint32_t error);
// Whether the clock was refused for want of the right to set it, which a run with
// administrator rights would have.
bool NeedsAdministrator(uint32_t error);

}  // namespace tembra::nettime
