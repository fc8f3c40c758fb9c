#pragma once
// Memory of dropped result lists kept for the next ones.
//
// A search lists tens of thousands of rows, each a few allocations, and drops
// them when the next search replaces the list. The C library gives memory
// freed at the top of its heap back to the kernel as soon as more than
// 128 KB are free there, so the next list of that size has every page of it
// handed out by the kernel again: on the register's largest searches that
// took more time than reading the rows. keepFreedMemory() raises that limit,
// so up to kKeptBytes of freed memory stay with the program for the next
// list; what is freed beyond it still goes back.
//
// Called once at start-up, before the first window:
//
//   HeapReuse::keepFreedMemory();

namespace HeapReuse {

inline constexpr int kKeptBytes = 128 << 20;

// False where the C library does not take the setting.
bool keepFreedMemory();

}
