// shader_sources.h -- the shader pair, GLSL ES 1.00 for WebGL 1 and OpenGL ES 2.0 (Mesa on
// the desktop compiles it too). The vertex shader lights each vertex as the fixed-function
// pipeline does with GL_COLOR_MATERIAL: the current colour is the ambient and diffuse
// material; the scene's ambient light, then each light on, its ambient, its diffuse by the
// normal's dot product with the direction to it, and its specular by the half vector of an
// infinite viewer; normals are not normalised (GL_NORMALIZE is off); the sum is clamped. The
// fragment shader modulates by the texture and does the alpha test; for the HUD's letters
// it keeps the colour and takes only the glyph's coverage. Each of those is compiled in
// only where it is wanted: a shader that may discard keeps the software renderers from
// testing depth before shading, which costs the whole frame.
#pragma once

namespace shaderSources {
// Each program is "#version 100", its defines, then one of these.
inline const char* const version = "#version 100\n";
inline const char* const vertex = R"(attribute vec4 position;
attribute vec3 normal;
attribute vec2 texCoord;
attribute vec4 colour;
uniform mat4 modelView;
uniform mat4 modelViewProjection;
uniform mat3 normalMatrix;
uniform bool lit;
uniform vec4 sceneAmbient;
uniform vec4 materialSpecular;
uniform float materialShininess;
uniform bool lightOn[2];
uniform vec4 lightPosition[2];
uniform vec4 lightAmbient[2];
uniform vec4 lightDiffuse[2];
uniform vec4 lightSpecular[2];
varying vec4 shade;
varying vec2 texel;

void main() {
    gl_Position = modelViewProjection * position;
    texel = texCoord;
    if (!lit) {
        shade = clamp(colour, 0.0, 1.0);
        return;
    }
    vec3 eye = (modelView * position).xyz;
    vec3 n = normalMatrix * normal;
    vec3 sum = colour.rgb * sceneAmbient.rgb;
    for (int i = 0; i < 2; ++i) {
        if (!lightOn[i]) {
            continue;
        }
        vec3 towards = lightPosition[i].w == 0.0 ? lightPosition[i].xyz
                                                 : lightPosition[i].xyz - eye;
        vec3 l = normalize(towards);
        float diffuse = dot(n, l);
        sum += colour.rgb * lightAmbient[i].rgb;
        if (diffuse > 0.0) {
            sum += diffuse * colour.rgb * lightDiffuse[i].rgb;
            // A scaled-down quad's long normal can raise the highlight past a float's range:
            // a light without a specular colour adds none, rather than zero times infinity.
            vec3 specularColour = materialSpecular.rgb * lightSpecular[i].rgb;
            if (specularColour != vec3(0.0)) {
                vec3 h = normalize(l + vec3(0.0, 0.0, 1.0));
                sum += pow(max(dot(n, h), 0.0), materialShininess) * specularColour;
            }
        }
    }
    shade = clamp(vec4(sum, colour.a), 0.0, 1.0);
}
)";

inline const char* const fragment = R"(#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D picture;
uniform float alphaReference;
varying vec4 shade;
varying vec2 texel;

void main() {
    vec4 c = shade;
#if defined(COVERAGE_ONLY)
    if (texture2D(picture, texel).a < 0.5) {
        discard;
    }
#elif defined(TEXTURED)
    c *= texture2D(picture, texel);
#endif
#if defined(ALPHA_TESTED)
    if (!(c.a > alphaReference)) {
        discard;
    }
#endif
    gl_FragColor = c;
}
)";

} // namespace shaderSources
