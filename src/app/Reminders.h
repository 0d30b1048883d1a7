#pragma once
// The start-up reminders: overdue loans and stock outside its limits, within
// the user's storages.

namespace Reminders {

// Live loan lines not fully returned whose document date lies more than
// theGH days before today.
int overdueLoans();
// Stock rows of articles with warnings switched on, below their minimum.
int belowMinimum();
// ... above their maximum.
int aboveMaximum();

} // namespace Reminders
