#pragma once

// Tallyboard's command ids in one place: the windows' resources, the two
// buttons every dialog has, and the main window's tool bar and menu 130.

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

inline constexpr int kSelectionDialog = 102;
inline constexpr int kMainDialog = 129;

// The tool bar, left to right.
inline constexpr int kOpenButton = 1007;
inline constexpr int kSaveButton = 1008;
inline constexpr int kFirmwareButton = 1009;
inline constexpr int kInformationButton = 1010;
inline constexpr int kHelpButton = 1011;

// Menu 130.
inline constexpr int kReselectDisplayItem = 32771;
inline constexpr int kSaveAsItem = 32773;
inline constexpr int kExitItem = 32774;
inline constexpr int kUpdateFirmwareItem = 32775;
inline constexpr int kShowInformationItem = 32776;
inline constexpr int kUserManualItem = 32778;
inline constexpr int kSaveItem = 57604;
