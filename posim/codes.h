// The numbers of the POS API that the simulated terminal speaks: statuses,
// event messages, requests and device classes.
#pragma once

#include <cstdint>

namespace posim {

// Statuses (POSERR_ codes).
inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kSysNotInitialized = 302;
inline constexpr std::int32_t kSysInvalidDescriptor = 303;
inline constexpr std::int32_t kSysAlreadyInitialized = 304;
inline constexpr std::int32_t kSysHwError = 306;
inline constexpr std::int32_t kSysInvalidDevice = 307;
inline constexpr std::int32_t kSysTooManyDevices = 309;
inline constexpr std::int32_t kSysOutOfBounds = 310;
inline constexpr std::int32_t kSysFunctionNotSupported = 311;
inline constexpr std::int32_t kSysBufferTooSmall = 312;
inline constexpr std::int32_t kSysAcquiredByOther = 313;
inline constexpr std::int32_t kSysAlreadyAcquired = 314;
inline constexpr std::int32_t kSysNotAcquired = 315;
inline constexpr std::int32_t kSysInvalidRequest = 316;
inline constexpr std::int32_t kSysDeviceOffline = 317;
inline constexpr std::int32_t kSysInvalidLength = 318;
inline constexpr std::int32_t kSysInvalidClassDeviceCombo = 319;
inline constexpr std::int32_t kSysDataDiscarded = 320;
inline constexpr std::int32_t kSysCmdReject = 322;
inline constexpr std::int32_t kSysInvalidNargs = 325;
inline constexpr std::int32_t kSysInvalidSlot = 326;
inline constexpr std::int32_t kSysInvalidPort = 328;
inline constexpr std::int32_t kSysTimeout = 329;
inline constexpr std::int32_t kSysInvalidName = 330;
inline constexpr std::int32_t kSysInvalidClass = 331;
inline constexpr std::int32_t kSysInvalidAddress = 334;
inline constexpr std::int32_t kSysLockedNoDataRead = 335;
inline constexpr std::int32_t kSysInvalidFile = 336;

inline constexpr std::int32_t kDspInvalidCursor = 4401;
inline constexpr std::int32_t kDspInvalidMode = 4402;
inline constexpr std::int32_t kDspInvalidSize = 4403;
inline constexpr std::int32_t kNvramNotEnoughRoom = 4101;
inline constexpr std::int32_t kNvramInvalidCursor = 4102;
inline constexpr std::int32_t kNvramEof = 4103;
inline constexpr std::int32_t kNvramInvalidMode = 4104;
inline constexpr std::int32_t kKbdInvalidFrequency = 4701;
inline constexpr std::int32_t kKbdInvalidDuration = 4702;
inline constexpr std::int32_t kKbdInvalidVolume = 4703;
inline constexpr std::int32_t kKbdInvalidDoubleKey = 4705;
inline constexpr std::int32_t kKbdInvalidFatFingerTimeout = 4706;
inline constexpr std::int32_t kKbdInvalidKeyboardClick = 4708;
inline constexpr std::int32_t kKbdInvalidNumpadStyle = 4709;
inline constexpr std::int32_t kKbdInvalidTypematicDelay = 4711;
inline constexpr std::int32_t kKbdInvalidTypematicFreq = 4712;
inline constexpr std::int32_t kPrnInvalidDiWidth = 4901;
inline constexpr std::int32_t kPrnInvalidInterleavedValue = 4902;
inline constexpr std::int32_t kPrnInvalidHeadParkedPosition = 4903;
inline constexpr std::int32_t kPrnInvalidStation = 4904;
inline constexpr std::int32_t kPrnInvalidMode = 4905;
inline constexpr std::int32_t kPrnInvalidCrLfDistance = 4906;
inline constexpr std::int32_t kPrnInvalidSjLfDistance = 4907;
inline constexpr std::int32_t kPrnInvalidDiLfDistance = 4908;
inline constexpr std::int32_t kPrnInvalidFeedDirection = 4909;
inline constexpr std::int32_t kTillInvalidPulseWidth = 5401;
inline constexpr std::int32_t kScanInvalidBeepFreq = 5704;
inline constexpr std::int32_t kScanInvalidBeepLength = 5705;
inline constexpr std::int32_t kScanInvalidBeepState = 5706;
inline constexpr std::int32_t kScanInvalidBeepVolume = 5707;
inline constexpr std::int32_t kScanInvalidLaserTimeout = 5718;
inline constexpr std::int32_t kScanInvalidMotorTimeout = 5719;
inline constexpr std::int32_t kScanInvalidScansPerRead = 5721;
inline constexpr std::int32_t kScanLabelTooShort = 5722;
inline constexpr std::int32_t kScanLabelTooLong = 5723;
inline constexpr std::int32_t kScanInvalidUpcExpansion = 5733;
inline constexpr std::int32_t kRs232InvalidBaudRate = 5901;
inline constexpr std::int32_t kRs232InvalidStopBits = 5902;
inline constexpr std::int32_t kRs232InvalidParity = 5903;
inline constexpr std::int32_t kRs232InvalidDataBits = 5904;
inline constexpr std::int32_t kRs232InvalidTimeoutChar = 5905;
inline constexpr std::int32_t kRs232PrevNotComplete = 5907;
inline constexpr std::int32_t kScaleInvalidOperationsMode = 6201;
inline constexpr std::int32_t kScaleInvalidRemoteDisplayState = 6202;
inline constexpr std::int32_t kScaleInvalidVibrationFilter = 6203;
inline constexpr std::int32_t kScaleInvalidWeightMode = 6204;
inline constexpr std::int32_t kScaleInvalidZeroIndicatorState = 6205;
inline constexpr std::int32_t kScaleInvalidZeroReturnState = 6206;
inline constexpr std::int32_t kScaleZeroScaleFailed = 6207;
inline constexpr std::int32_t kScaleInvalidClearScreenRequest = 6208;
inline constexpr std::int32_t kScaleConfigurationError = 6209;
inline constexpr std::int32_t kPowerInvalidDay = 6401;
inline constexpr std::int32_t kPowerInvalidHour = 6402;
inline constexpr std::int32_t kPowerInvalidMinutes = 6403;
inline constexpr std::int32_t kTouchInvalidBacklightOn = 6701;
inline constexpr std::int32_t kTouchInvalidClickVolume = 6702;
inline constexpr std::int32_t kTouchInvalidContrast = 6703;
inline constexpr std::int32_t kTouchInvalidEntryClick = 6704;
inline constexpr std::int32_t kTouchInvalidExitClick = 6705;
inline constexpr std::int32_t kTouchInvalidMode = 6706;
inline constexpr std::int32_t kTouchInvalidScreenSaverTime = 6707;
inline constexpr std::int32_t kTouchInvalidToneDuration = 6708;
inline constexpr std::int32_t kTouchInvalidToneFrequency = 6709;
inline constexpr std::int32_t kTouchInvalidToneVolume = 6710;

// Device event messages (POSM_ codes).
inline constexpr std::uint32_t kMsgKbdStatusChange = 0x4201;
inline constexpr std::uint32_t kMsgKbdWmChar = 0x4202;
inline constexpr std::uint32_t kMsgMsrDataAvail = 0x4203;
inline constexpr std::uint32_t kMsgPrnChaseComplete = 0x4204;
inline constexpr std::uint32_t kMsgPrnPrinterError = 0x4205;
inline constexpr std::uint32_t kMsgPrnStatusChange = 0x4206;
inline constexpr std::uint32_t kMsgRs232BreakDetected = 0x4207;
inline constexpr std::uint32_t kMsgRs232DataAvail = 0x4208;
inline constexpr std::uint32_t kMsgRs232XmitComplete = 0x420A;
inline constexpr std::uint32_t kMsgScanDataAvail = 0x420B;
inline constexpr std::uint32_t kMsgSysDeviceOffline = 0x420C;
inline constexpr std::uint32_t kMsgSysDeviceOnline = 0x420D;
inline constexpr std::uint32_t kMsgTillClosed = 0x420E;
inline constexpr std::uint32_t kMsgTillOpened = 0x420F;
inline constexpr std::uint32_t kMsgSysDeviceReleased = 0x4213;
inline constexpr std::uint32_t kMsgTouchData = 0x4216;

// Key-up flag in the lParam of POSM_KBD_WM_CHAR.
inline constexpr std::uint32_t kKeyUpFlag = 0x40000;

// Requests (POS_ codes).
inline constexpr std::int32_t kReqAlarmSilenceAlarm = 5402;
inline constexpr std::int32_t kReqAlarmSoundAlarm = 5403;
inline constexpr std::int32_t kReqDspClearScreen = 4401;
inline constexpr std::int32_t kReqDspDefineCharacters = 4402;
inline constexpr std::int32_t kReqKbdDisableHotKeys = 4708;
inline constexpr std::int32_t kReqKbdDisableNumLock = 4710;
inline constexpr std::int32_t kReqKbdDisablePosFunctions = 4701;
inline constexpr std::int32_t kReqKbdDisableScrollLock = 4712;
inline constexpr std::int32_t kReqKbdEnableHotKeys = 4709;
inline constexpr std::int32_t kReqKbdEnableNumLock = 4711;
inline constexpr std::int32_t kReqKbdEnablePosFunctions = 4702;
inline constexpr std::int32_t kReqKbdEnableScrollLock = 4713;
inline constexpr std::int32_t kReqKbdSetNumLockOff = 4715;
inline constexpr std::int32_t kReqKbdSetNumLockOn = 4716;
inline constexpr std::int32_t kReqKbdSetScrollLockOff = 4717;
inline constexpr std::int32_t kReqKbdSetScrollLockOn = 4718;
inline constexpr std::int32_t kReqKbdSetTypematicOff = 4706;
inline constexpr std::int32_t kReqKbdSetTypematicOn = 4707;
inline constexpr std::int32_t kReqKbdSilenceTone = 4704;
inline constexpr std::int32_t kReqKbdSoundTone = 4705;
inline constexpr std::int32_t kReqPowerOff = 6401;
inline constexpr std::int32_t kReqPowerOn = 6402;
inline constexpr std::int32_t kReqPowerSetAlarm = 6403;
inline constexpr std::int32_t kReqPrnDefineCharacters = 4909;
inline constexpr std::int32_t kReqPrnDisableDiPrinting = 4901;
inline constexpr std::int32_t kReqPrnDisableFiscalPrinting = 4906;
inline constexpr std::int32_t kReqPrnDiscardData = 4905;
inline constexpr std::int32_t kReqPrnEnableDiPrinting = 4902;
inline constexpr std::int32_t kReqPrnEnableFiscalPrinting = 4907;
inline constexpr std::int32_t kReqPrnResetPrinter = 4908;
inline constexpr std::int32_t kReqPrnResumePrinting = 4903;
inline constexpr std::int32_t kReqPrnRetryPrinting = 4904;
inline constexpr std::int32_t kReqRs232SendBreak = 5901;
inline constexpr std::int32_t kReqScaleClearScreen = 6102;
inline constexpr std::int32_t kReqScaleZeroScale = 6101;
inline constexpr std::int32_t kReqScanDiscardData = 5701;
inline constexpr std::int32_t kReqSysAcquireDevice = 301;
inline constexpr std::int32_t kReqSysGetValues = 302;
inline constexpr std::int32_t kReqSysLockDevice = 303;
inline constexpr std::int32_t kReqSysReleaseDevice = 304;
inline constexpr std::int32_t kReqSysSetValues = 305;
inline constexpr std::int32_t kReqSysUnlockDevice = 306;
inline constexpr std::int32_t kReqTillOpenTill = 5401;
inline constexpr std::int32_t kReqTouchSilenceTone = 6701;
inline constexpr std::int32_t kReqTouchSoundTone = 6702;

// Device classes.
inline constexpr std::int32_t kClassUnknown = 1;
inline constexpr std::int32_t kClassDisplay = 2;
inline constexpr std::int32_t kClassPrinter = 3;
inline constexpr std::int32_t kClassScanner = 4;
inline constexpr std::int32_t kClassMsr = 5;
inline constexpr std::int32_t kClassCashDrawer = 6;
inline constexpr std::int32_t kClassAlarm = 7;
inline constexpr std::int32_t kClassNvram = 8;
inline constexpr std::int32_t kClassKeyboard = 9;
inline constexpr std::int32_t kClassRs232 = 10;
inline constexpr std::int32_t kClassScale = 11;
inline constexpr std::int32_t kClassPower = 12;
inline constexpr std::int32_t kClassTouchScreen = 13;

}  // namespace posim
