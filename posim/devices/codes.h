// The codes of the POS API that the simulated terminal speaks (statuses,
// event messages, requests and device classes) under its own names; the
// numbers are those of codes/pos_codes.h.
#pragma once

#include <cstdint>

#include "codes/pos_codes.h"

namespace posim {

// Statuses (POSERR_ codes).
inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kSysNotInitialized = POSERR_SYS_NOT_INITIALIZED;
inline constexpr std::int32_t kSysInvalidDescriptor = POSERR_SYS_INVALID_DESCRIPTOR;
inline constexpr std::int32_t kSysAlreadyInitialized = POSERR_SYS_ALREADY_INITIALIZED;
inline constexpr std::int32_t kSysHwError = POSERR_SYS_HW_ERROR;
inline constexpr std::int32_t kSysInvalidDevice = POSERR_SYS_INVALID_DEVICE;
inline constexpr std::int32_t kSysTooManyDevices = POSERR_SYS_TOO_MANY_DEVICES;
inline constexpr std::int32_t kSysOutOfBounds = POSERR_SYS_OUT_OF_BOUNDS;
inline constexpr std::int32_t kSysFunctionNotSupported = POSERR_SYS_FUNCTION_NOT_SUPPORTED;
inline constexpr std::int32_t kSysBufferTooSmall = POSERR_SYS_BUFFER_TOO_SMALL;
inline constexpr std::int32_t kSysAcquiredByOther = POSERR_SYS_ACQUIRED_BY_OTHER;
inline constexpr std::int32_t kSysAlreadyAcquired = POSERR_SYS_ALREADY_ACQUIRED;
inline constexpr std::int32_t kSysNotAcquired = POSERR_SYS_NOT_ACQUIRED;
inline constexpr std::int32_t kSysInvalidRequest = POSERR_SYS_INVALID_REQUEST;
inline constexpr std::int32_t kSysDeviceOffline = POSERR_SYS_DEVICE_OFFLINE;
inline constexpr std::int32_t kSysInvalidLength = POSERR_SYS_INVALID_LENGTH;
inline constexpr std::int32_t kSysInvalidClassDeviceCombo = POSERR_SYS_INVALID_CLASS_DEVICE_COMBO;
inline constexpr std::int32_t kSysDataDiscarded = POSERR_SYS_DATA_DISCARDED;
inline constexpr std::int32_t kSysCmdReject = POSERR_SYS_CMD_REJECT;
inline constexpr std::int32_t kSysInvalidNargs = POSERR_SYS_INVALID_NARGS;
inline constexpr std::int32_t kSysInvalidSlot = POSERR_SYS_INVALID_SLOT;
inline constexpr std::int32_t kSysInvalidPort = POSERR_SYS_INVALID_PORT;
inline constexpr std::int32_t kSysTimeout = POSERR_SYS_TIMEOUT;
inline constexpr std::int32_t kSysInvalidName = POSERR_SYS_INVALID_NAME;
inline constexpr std::int32_t kSysInvalidClass = POSERR_SYS_INVALID_CLASS;
inline constexpr std::int32_t kSysInvalidAddress = POSERR_SYS_INVALID_ADDRESS;
inline constexpr std::int32_t kSysLockedNoDataRead = POSERR_SYS_LOCKED_NO_DATA_READ;
inline constexpr std::int32_t kSysInvalidFile = POSERR_SYS_INVALID_FILE;

inline constexpr std::int32_t kDspInvalidCursor = POSERR_DSP_INVALID_CURSOR;
inline constexpr std::int32_t kDspInvalidMode = POSERR_DSP_INVALID_MODE;
inline constexpr std::int32_t kDspInvalidSize = POSERR_DSP_INVALID_SIZE;
inline constexpr std::int32_t kNvramNotEnoughRoom = POSERR_NVRAM_NOT_ENOUGH_ROOM;
inline constexpr std::int32_t kNvramInvalidCursor = POSERR_NVRAM_INVALID_CURSOR;
inline constexpr std::int32_t kNvramEof = POSERR_NVRAM_EOF;
inline constexpr std::int32_t kNvramInvalidMode = POSERR_NVRAM_INVALID_MODE;
inline constexpr std::int32_t kKbdInvalidFrequency = POSERR_KBD_INVALID_FREQUENCY;
inline constexpr std::int32_t kKbdInvalidDuration = POSERR_KBD_INVALID_DURATION;
inline constexpr std::int32_t kKbdInvalidVolume = POSERR_KBD_INVALID_VOLUME;
inline constexpr std::int32_t kKbdInvalidDoubleKey = POSERR_KBD_INVALID_DOUBLE_KEY;
inline constexpr std::int32_t kKbdInvalidFatFingerTimeout = POSERR_KBD_INVALID_FAT_FINGER_TIMEOUT;
inline constexpr std::int32_t kKbdInvalidKeyboardClick = POSERR_KBD_INVALID_KEYBOARD_CLICK;
inline constexpr std::int32_t kKbdInvalidNumpadStyle = POSERR_KBD_INVALID_NUMPAD_STYLE;
inline constexpr std::int32_t kKbdInvalidTypematicDelay = POSERR_KBD_INVALID_TYPEMATIC_DELAY;
inline constexpr std::int32_t kKbdInvalidTypematicFreq = POSERR_KBD_INVALID_TYPEMATIC_FREQ;
inline constexpr std::int32_t kPrnInvalidDiWidth = POSERR_PRN_INVALID_DI_WIDTH;
inline constexpr std::int32_t kPrnInvalidInterleavedValue = POSERR_PRN_INVALID_INTERLEAVED_VALUE;
inline constexpr std::int32_t kPrnInvalidHeadParkedPosition =
    POSERR_PRN_INVALID_HEAD_PARKED_POSITION;
inline constexpr std::int32_t kPrnInvalidStation = POSERR_PRN_INVALID_STATION;
inline constexpr std::int32_t kPrnInvalidMode = POSERR_PRN_INVALID_MODE;
inline constexpr std::int32_t kPrnInvalidCrLfDistance = POSERR_PRN_INVALID_CR_LF_DISTANCE;
inline constexpr std::int32_t kPrnInvalidSjLfDistance = POSERR_PRN_INVALID_SJ_LF_DISTANCE;
inline constexpr std::int32_t kPrnInvalidDiLfDistance = POSERR_PRN_INVALID_DI_LF_DISTANCE;
inline constexpr std::int32_t kPrnInvalidFeedDirection = POSERR_PRN_INVALID_FEED_DIRECTION;
inline constexpr std::int32_t kTillInvalidPulseWidth = POSERR_TILL_INVALID_PULSE_WIDTH;
inline constexpr std::int32_t kScanInvalidBeepFreq = POSERR_SCAN_INVALID_BEEP_FREQ;
inline constexpr std::int32_t kScanInvalidBeepLength = POSERR_SCAN_INVALID_BEEP_LENGTH;
inline constexpr std::int32_t kScanInvalidBeepState = POSERR_SCAN_INVALID_BEEP_STATE;
inline constexpr std::int32_t kScanInvalidBeepVolume = POSERR_SCAN_INVALID_BEEP_VOLUME;
inline constexpr std::int32_t kScanInvalidLaserTimeout = POSERR_SCAN_INVALID_LASER_TIMEOUT;
inline constexpr std::int32_t kScanInvalidMotorTimeout = POSERR_SCAN_INVALID_MOTOR_TIMEOUT;
inline constexpr std::int32_t kScanInvalidScansPerRead = POSERR_SCAN_INVALID_SCANS_PER_READ;
inline constexpr std::int32_t kScanLabelTooShort = POSERR_SCAN_LABEL_TOO_SHORT;
inline constexpr std::int32_t kScanLabelTooLong = POSERR_SCAN_LABEL_TOO_LONG;
inline constexpr std::int32_t kScanInvalidUpcExpansion = POSERR_SCAN_INVALID_UPC_EXPANSION;
inline constexpr std::int32_t kRs232InvalidBaudRate = POSERR_RS232_INVALID_BAUD_RATE;
inline constexpr std::int32_t kRs232InvalidStopBits = POSERR_RS232_INVALID_STOP_BITS;
inline constexpr std::int32_t kRs232InvalidParity = POSERR_RS232_INVALID_PARITY;
inline constexpr std::int32_t kRs232InvalidDataBits = POSERR_RS232_INVALID_DATA_BITS;
inline constexpr std::int32_t kRs232InvalidTimeoutChar = POSERR_RS232_INVALID_TIMEOUT_CHAR;
inline constexpr std::int32_t kRs232PrevNotComplete = POSERR_RS232_PREV_NOT_COMPLETE;
inline constexpr std::int32_t kScaleInvalidOperationsMode = POSERR_SCALE_INVALID_OPERATIONS_MODE;
inline constexpr std::int32_t kScaleInvalidRemoteDisplayState =
    POSERR_SCALE_INVALID_REMOTE_DISPLAY_STATE;
inline constexpr std::int32_t kScaleInvalidVibrationFilter = POSERR_SCALE_INVALID_VIBRATION_FILTER;
inline constexpr std::int32_t kScaleInvalidWeightMode = POSERR_SCALE_INVALID_WEIGHT_MODE;
inline constexpr std::int32_t kScaleInvalidZeroIndicatorState =
    POSERR_SCALE_INVALID_ZERO_INDICATOR_STATE;
inline constexpr std::int32_t kScaleInvalidZeroReturnState = POSERR_SCALE_INVALID_ZERO_RETURN_STATE;
inline constexpr std::int32_t kScaleZeroScaleFailed = POSERR_SCALE_ZERO_SCALE_FAILED;
inline constexpr std::int32_t kScaleInvalidClearScreenRequest =
    POSERR_SCALE_INVALID_CLEAR_SCREEN_REQUEST;
inline constexpr std::int32_t kScaleConfigurationError = POSERR_SCALE_CONFIGURATION_ERROR;
inline constexpr std::int32_t kPowerInvalidDay = POSERR_POWER_INVALID_DAY;
inline constexpr std::int32_t kPowerInvalidHour = POSERR_POWER_INVALID_HOUR;
inline constexpr std::int32_t kPowerInvalidMinutes = POSERR_POWER_INVALID_MINUTES;
inline constexpr std::int32_t kTouchInvalidBacklightOn = POSERR_TOUCH_INVALID_BACKLIGHT_ON;
inline constexpr std::int32_t kTouchInvalidClickVolume = POSERR_TOUCH_INVALID_CLICK_VOLUME;
inline constexpr std::int32_t kTouchInvalidContrast = POSERR_TOUCH_INVALID_CONTRAST;
inline constexpr std::int32_t kTouchInvalidEntryClick = POSERR_TOUCH_INVALID_ENTRY_CLICK;
inline constexpr std::int32_t kTouchInvalidExitClick = POSERR_TOUCH_INVALID_EXIT_CLICK;
inline constexpr std::int32_t kTouchInvalidMode = POSERR_TOUCH_INVALID_MODE;
inline constexpr std::int32_t kTouchInvalidScreenSaverTime = POSERR_TOUCH_INVALID_SCREEN_SAVER_TIME;
inline constexpr std::int32_t kTouchInvalidToneDuration = POSERR_TOUCH_INVALID_TONE_DURATION;
inline constexpr std::int32_t kTouchInvalidToneFrequency = POSERR_TOUCH_INVALID_TONE_FREQUENCY;
inline constexpr std::int32_t kTouchInvalidToneVolume = POSERR_TOUCH_INVALID_TONE_VOLUME;

// Device event messages (POSM_ codes).
inline constexpr std::uint32_t kMsgKbdStatusChange = POSM_KBD_STATUS_CHANGE;
inline constexpr std::uint32_t kMsgKbdWmChar = POSM_KBD_WM_CHAR;
inline constexpr std::uint32_t kMsgMsrDataAvail = POSM_MSR_DATA_AVAIL;
inline constexpr std::uint32_t kMsgPrnChaseComplete = POSM_PRN_CHASE_COMPLETE;
inline constexpr std::uint32_t kMsgPrnPrinterError = POSM_PRN_PRINTER_ERROR;
inline constexpr std::uint32_t kMsgPrnStatusChange = POSM_PRN_STATUS_CHANGE;
inline constexpr std::uint32_t kMsgRs232BreakDetected = POSM_RS232_BREAK_DETECTED;
inline constexpr std::uint32_t kMsgRs232DataAvail = POSM_RS232_DATA_AVAIL;
inline constexpr std::uint32_t kMsgRs232XmitComplete = POSM_RS232_XMIT_COMPLETE;
inline constexpr std::uint32_t kMsgScanDataAvail = POSM_SCAN_DATA_AVAIL;
inline constexpr std::uint32_t kMsgSysDeviceOffline = POSM_SYS_DEVICE_OFFLINE;
inline constexpr std::uint32_t kMsgSysDeviceOnline = POSM_SYS_DEVICE_ONLINE;
inline constexpr std::uint32_t kMsgTillClosed = POSM_TILL_CLOSED;
inline constexpr std::uint32_t kMsgTillOpened = POSM_TILL_OPENED;
inline constexpr std::uint32_t kMsgSysDeviceReleased = POSM_SYS_DEVICE_RELEASED;
inline constexpr std::uint32_t kMsgTouchData = POSM_TOUCH_DATA;

// Key-up flag in the lParam of POSM_KBD_WM_CHAR.
inline constexpr std::uint32_t kKeyUpFlag = POSM_KBD_WM_CHAR_KEY_UP;

// Requests (POS_ codes).
inline constexpr std::int32_t kReqAlarmSilenceAlarm = POS_ALARM_SILENCE_ALARM;
inline constexpr std::int32_t kReqAlarmSoundAlarm = POS_ALARM_SOUND_ALARM;
inline constexpr std::int32_t kReqDspClearScreen = POS_DSP_CLEAR_SCREEN;
inline constexpr std::int32_t kReqDspDefineCharacters = POS_DSP_DEFINE_CHARACTERS;
inline constexpr std::int32_t kReqKbdDisableHotKeys = POS_KBD_DISABLE_HOT_KEYS;
inline constexpr std::int32_t kReqKbdDisableNumLock = POS_KBD_DISABLE_NUM_LOCK;
inline constexpr std::int32_t kReqKbdDisablePosFunctions = POS_KBD_DISABLE_POS_FUNCTIONS;
inline constexpr std::int32_t kReqKbdDisableScrollLock = POS_KBD_DISABLE_SCROLL_LOCK;
inline constexpr std::int32_t kReqKbdEnableHotKeys = POS_KBD_ENABLE_HOT_KEYS;
inline constexpr std::int32_t kReqKbdEnableNumLock = POS_KBD_ENABLE_NUM_LOCK;
inline constexpr std::int32_t kReqKbdEnablePosFunctions = POS_KBD_ENABLE_POS_FUNCTIONS;
inline constexpr std::int32_t kReqKbdEnableScrollLock = POS_KBD_ENABLE_SCROLL_LOCK;
inline constexpr std::int32_t kReqKbdSetNumLockOff = POS_KBD_SET_NUM_LOCK_OFF;
inline constexpr std::int32_t kReqKbdSetNumLockOn = POS_KBD_SET_NUM_LOCK_ON;
inline constexpr std::int32_t kReqKbdSetScrollLockOff = POS_KBD_SET_SCROLL_LOCK_OFF;
inline constexpr std::int32_t kReqKbdSetScrollLockOn = POS_KBD_SET_SCROLL_LOCK_ON;
inline constexpr std::int32_t kReqKbdSetTypematicOff = POS_KBD_SET_TYPEMATIC_OFF;
inline constexpr std::int32_t kReqKbdSetTypematicOn = POS_KBD_SET_TYPEMATIC_ON;
inline constexpr std::int32_t kReqKbdSilenceTone = POS_KBD_SILENCE_TONE;
inline constexpr std::int32_t kReqKbdSoundTone = POS_KBD_SOUND_TONE;
inline constexpr std::int32_t kReqPowerOff = POS_POWER_OFF;
inline constexpr std::int32_t kReqPowerOn = POS_POWER_ON;
inline constexpr std::int32_t kReqPowerSetAlarm = POS_POWER_SET_ALARM;
inline constexpr std::int32_t kReqPrnDefineCharacters = POS_PRN_DEFINE_CHARACTERS;
inline constexpr std::int32_t kReqPrnDisableDiPrinting = POS_PRN_DISABLE_DI_PRINTING;
inline constexpr std::int32_t kReqPrnDisableFiscalPrinting = POS_PRN_DISABLE_FISCAL_PRINTING;
inline constexpr std::int32_t kReqPrnDiscardData = POS_PRN_DISCARD_DATA;
inline constexpr std::int32_t kReqPrnEnableDiPrinting = POS_PRN_ENABLE_DI_PRINTING;
inline constexpr std::int32_t kReqPrnEnableFiscalPrinting = POS_PRN_ENABLE_FISCAL_PRINTING;
inline constexpr std::int32_t kReqPrnResetPrinter = POS_PRN_RESET_PRINTER;
inline constexpr std::int32_t kReqPrnResumePrinting = POS_PRN_RESUME_PRINTING;
inline constexpr std::int32_t kReqPrnRetryPrinting = POS_PRN_RETRY_PRINTING;
inline constexpr std::int32_t kReqRs232SendBreak = POS_RS232_SEND_BREAK;
inline constexpr std::int32_t kReqScaleClearScreen = POS_SCALE_CLEAR_SCREEN;
inline constexpr std::int32_t kReqScaleZeroScale = POS_SCALE_ZERO_SCALE;
inline constexpr std::int32_t kReqScanDiscardData = POS_SCAN_DISCARD_DATA;
inline constexpr std::int32_t kReqSysAcquireDevice = POS_SYS_ACQUIRE_DEVICE;
inline constexpr std::int32_t kReqSysGetValues = POS_SYS_GET_VALUES;
inline constexpr std::int32_t kReqSysLockDevice = POS_SYS_LOCK_DEVICE;
inline constexpr std::int32_t kReqSysReleaseDevice = POS_SYS_RELEASE_DEVICE;
inline constexpr std::int32_t kReqSysSetValues = POS_SYS_SET_VALUES;
inline constexpr std::int32_t kReqSysUnlockDevice = POS_SYS_UNLOCK_DEVICE;
inline constexpr std::int32_t kReqTillOpenTill = POS_TILL_OPEN_TILL;
inline constexpr std::int32_t kReqTouchSilenceTone = POS_TOUCH_SILENCE_TONE;
inline constexpr std::int32_t kReqTouchSoundTone = POS_TOUCH_SOUND_TONE;

// Device classes.
inline constexpr std::int32_t kClassUnknown = POS_CLASS_UNKNOWN;
inline constexpr std::int32_t kClassDisplay = POS_CLASS_DISPLAY;
inline constexpr std::int32_t kClassPrinter = POS_CLASS_PRINTER;
inline constexpr std::int32_t kClassScanner = POS_CLASS_SCANNER;
inline constexpr std::int32_t kClassMsr = POS_CLASS_MSR;
inline constexpr std::int32_t kClassCashDrawer = POS_CLASS_CASH_DRAWER;
inline constexpr std::int32_t kClassAlarm = POS_CLASS_ALARM;
inline constexpr std::int32_t kClassNvram = POS_CLASS_NVRAM;
inline constexpr std::int32_t kClassKeyboard = POS_CLASS_KEYBOARD;
inline constexpr std::int32_t kClassRs232 = POS_CLASS_RS232;
inline constexpr std::int32_t kClassScale = POS_CLASS_SCALE;
inline constexpr std::int32_t kClassPower = POS_CLASS_POWER;
inline constexpr std::int32_t kClassTouchScreen = POS_CLASS_TOUCH_SCREEN;

}  // namespace posim
