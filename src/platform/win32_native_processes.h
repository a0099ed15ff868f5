// Win32 declarations of the simulated machine: processes.
#pragma once
