// Win32 declarations of the simulated machine: profile.
#pragma once
