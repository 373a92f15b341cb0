#include "device/CDeviceData.h"

uint8_t g_DeviceAddress = kDefaultDeviceAddress;
