#include "nettime/core/Report.h"

#include <cstdio>

namespace tembra::nettime {
namespace {

// ERROR_PRIVILEGE_NOT_HELD: the caller lacks the right to change the system time.
constexpr uint32_t kPrivilegeNotHeld = 1314;

std::string DateLine(const char* label, NtpTimestamp x, int64_t reference) {
    CalendarTime t = CalendarFromSeconds(UnwrapNtpSeconds(x, reference), static_cast<uint32_t>(x));
    char line[128];
    snprintf(line, sizeof line, "\r\n%s%02d/%02d/%04d, %02d:%02d:%02d.%03d", label, t.day, t.month,
             t.year, t.hour, t.minute, t.second, t.milliseconds);
    return line;
}

std::string Figure(const char* format, double value) {
    char line[400];  // %f of the largest double is about 320 characters
    snprintf(line, sizeof line, format, value);
    return line;
}

}  // namespace

std::string ConnectingLine(const std::string& host) { return "Connecting to '" + host + "' ..."; }

std::string ServerFailedLine(const std::string& host) {
    return "Failed to retreive time from NTP server " + host + "\r\n";
}

std::string RejectedReplyLine(const std::string& host, const char* reason) {
    return "Reply from " + host + " rejected: " + reason;
}

std::string ExchangeReport(const NtpResult& r, int64_t referenceSeconds) {
    std::string text;
    text += DateLine("Client Originate Date was   ", r.originate, referenceSeconds);
    text += DateLine("Server Receive Date was     ", r.receive, referenceSeconds);
    text += DateLine("Server Transmit Date was    ", r.transmit, referenceSeconds);
    text += DateLine("Client Destination Date was ", r.destination, referenceSeconds);
    text += Figure("\r\nRound trip delay was %f seconds", r.delay);
    text += Figure("\r\nLocal clock offset was %f seconds", r.offset);
    return text;
}

std::string SummaryText(int32_t offsetMs) {
    const int64_t magnitude = offsetMs < 0 ? -int64_t{offsetMs} : offsetMs;
    char text[128];
    snprintf(text, sizeof text,
             "\r\n\r\n=================================\r\n"
             "Local clock offset was %s%d.%03d seconds\r\n",
             offsetMs < 0 ? "-" : "", static_cast<int>(magnitude / 1000),
             static_cast<int>(magnitude % 1000));
    return text;
}

std::string ClockSetFailedLine(uint32_t error) {
    if (NeedsAdministrator(error)) return "Administrator rights are needed to set the clock";
    char line[64];
    snprintf(line, sizeof line, "Failed to set the clock (error %u)", static_cast<unsigned>(error));
    return line;
}

bool NeedsAdministrator(uint32_t error) { return error == kPrivilegeNotHeld; }

}  // namespace tembra::nettime
