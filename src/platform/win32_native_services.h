// Win32 declarations of the simulated machine: services.
#pragma once
