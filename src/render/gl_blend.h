// gl_blend.h -- the pipeline's blend factors as GL's, for both pipelines' glBlendFunc.
#pragma once

#include "render/gl.h"
#include "render/pipeline.h"

inline GLenum glBlendFactorOf(BlendFactor factor) {
    switch (factor) {
    case BlendFactor::ZERO:
        return GL_ZERO;
    case BlendFactor::ONE:
        return GL_ONE;
    case BlendFactor::SRC_COLOR:
        return GL_SRC_COLOR;
    case BlendFactor::SRC_ALPHA:
        return GL_SRC_ALPHA;
    case BlendFactor::DST_ALPHA:
        return GL_DST_ALPHA;
    }
    return GL_ONE;
}
