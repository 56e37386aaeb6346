#include "drawing/JpegError.h"

#include "drawing/Errors.h"

// clang-format off
#include <jerror.h>
// clang-format on

namespace {

TJpegErrorTrap& TrapOf(j_common_ptr cinfo) { return *reinterpret_cast<TJpegErrorTrap*>(cinfo->err); }

[[noreturn]] void JumpBack(j_common_ptr cinfo) { std::longjmp(TrapOf(cinfo).Jump, 1); }

void EmitMessage(j_common_ptr cinfo, int level)
{
    const bool warning = level < 0;
    if (!warning)
        return;
    TJpegErrorTrap& trap = TrapOf(cinfo);
    const int code = cinfo->err->msg_code;
    switch (code) {
    case JWRN_JPEG_EOF:
        if (!trap.InImageData)
            JumpBack(cinfo);
        trap.ReachedEnd = true;
        break;
    case JWRN_HIT_MARKER:
        FailJpeg(cinfo, trap.ReachedEnd ? JWRN_JPEG_EOF : JWRN_HIT_MARKER);
    // Remarks on side data the decoder does not use; the picture itself is whole.
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
        break;
    default: // the library would fill in grey or guess: missing or corrupt data
        JumpBack(cinfo);
    }
}

void OutputNothing(j_common_ptr) {}

} // namespace

jpeg_error_mgr* InstallJpegErrorTrap(TJpegErrorTrap& trap)
{
    jpeg_error_mgr* manager = jpeg_std_error(&trap.Manager);
    manager->error_exit = JumpBack;
    manager->emit_message = EmitMessage;
    manager->output_message = OutputNothing;
    return manager;
}

void FailJpeg(j_common_ptr cinfo, int code)
{
    cinfo->err->msg_code = code;
    JumpBack(cinfo);
}

void RaiseJpegError(int code)
{
    throw EJPEG(FormatMessage("JPEG-Fehler #%d", code));
}
