#pragma once
// Rows every station has from the start, at fixed keys, and the
// administrator a new station gets. The seed routines write them
// (app/setup/SetupTables.h, competition/CompetitionTables.h); screens that
// treat them apart read the keys here.

// C_UYELIKSURESI: no club.
inline constexpr int kNoClubKey = 1;
inline constexpr const char* kNoClubName = "-";
// C_BRANSADI: every category name.
inline constexpr int kAllCategoriesKey = 1;
inline constexpr const char* kAllCategoriesName = "TÜM KATEGORİLER";
// C_BRANSADI: activities without one.
inline constexpr int kNoCategoryKey = 2;
inline constexpr const char* kNoCategoryName = "-";
// C_BRANS: duties, unknown classes.
inline constexpr int kNoWeightCategoryKey = 1;
inline constexpr const char* kNoWeightCategoryName = "-";
// C_TURNUVA: a person's penalties.
inline constexpr int kPenaltyActivityKey = 1;
inline constexpr const char* kPenaltyActivityName = "CEZA";
inline constexpr const char* kPenaltyActivityType = "CEZA";

// The administrator a new station gets (key 1 of C_SIFRE).
inline constexpr const char* kInitialAdminName = "ADMIN";
inline constexpr const char* kInitialAdminPassword = "1234";
