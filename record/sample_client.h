#pragma once

namespace tw {

class CClientRecord;

// A made-up client for screenshots and demonstrations: names, addresses, lender and
// bank, a loan of 180,000.00 at 6.5 % fixed over 30 years first paid on 06/01/2019,
// a current payment of 1,450.00 on 12/07/2026, with the plan, the schedules and the
// summary figures computed.
void FillSampleClient(CClientRecord &record);

} // namespace tw
