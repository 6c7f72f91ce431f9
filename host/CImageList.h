#pragma once

/// The image list of the host's windowing toolkit. The library only passes it on.
class CImageList {};
