// The generator of the project's own sample game directory.
#pragma once
