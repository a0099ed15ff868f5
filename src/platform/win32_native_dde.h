// Win32 declarations of the simulated machine: dde.
#pragma once
