// Win32 declarations of the simulated machine: programs.
#pragma once
