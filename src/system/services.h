// The suite's Windows services, and the Windows SNMP service around the removal of the suite's SNMP
// extension agent: tested, stopped, started and deleted through the service control manager of
// this machine. Every operation opens the manager and the service and closes both before it
// returns.
#pragma once

#include "platform/win32.h"

// False only when the manager cannot be opened or the service cannot be opened for one of the
// reasons that mean it is not there (5, 6, 123, 1060); any other failure still counts as there.
bool ServiceExists(const char* serviceName);

// True when the service's state is anything but stopped.
bool IsServiceActive(const char* serviceName);

// Sends the stop control to a service that is not stopped and waits for it: true when it was
// stopped by this call. A service still not stopped 30 seconds after the control counts as not
// stopped.
bool StopServiceAndWait(const char* serviceName);

// Deletes a stopped service; a service in any other state is left and gives false.
bool DeleteStoppedService(const char* serviceName);

// Starts a stopped service and gives it half a second; a service in any other state is left
// alone. A Win32 code: 0 on success, else the code of the step that failed.
DWORD StartServiceIfStopped(const char* serviceName);

// Stops and deletes a service of the suite: false when a stop that was needed failed. With a
// null name, the suite's own services in turn (each stopped and deleted whatever happened to the
// others; one still stop pending is waited for as a stop is) and then the Windows SNMP service,
// which is stopped but never deleted.
bool StopAndDeleteService(const char* serviceName);
