#include "cleanobjs/AnsiCodePage.h"

#include <windows.h>

namespace {

TLeadBytes ReadAnsiLeadBytes() {
  TLeadBytes lead;
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info)) return lead;
  // Pairs of first and last lead byte, ended by a pair of zeros.
  for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
    lead.AddRange(info.LeadByte[i], info.LeadByte[i + 1]);
  return lead;
}

} // namespace

const TLeadBytes& AnsiLeadBytes() {
  static const TLeadBytes lead = ReadAnsiLeadBytes();
  return lead;
}
