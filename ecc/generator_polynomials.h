// Generator polynomials g(x) = (x - a^0)(x - a^1)...(x - a^(R-1)) over
// GF(256) for every error-correction count R the parameter table uses. Each
// is the list of the logarithms of its R + 1 coefficients, leading term
// first, closed by -1.
#pragma once

namespace quirvane {
inline constexpr int kGenerator7[] = {0, 87, 229, 146, 149, 238, 102, 21, -1};
inline constexpr int kGenerator10[] = {0, 251, 67, 46, 61, 118, 70, 64, 94, 32, 45, -1};
inline constexpr int kGenerator13[] = {0,   74,  152, 176, 100, 86, 100, 106,
                                       104, 130, 218, 206, 140, 78, -1};
inline constexpr int kGenerator15[] = {0,  8,   183, 61,  91, 202, 37,  51, 58,
                                       58, 237, 140, 124, 5,  99,  105, -1};
inline constexpr int kGenerator16[] = {0,  120, 104, 107, 109, 102, 161, 76,  3,
                                       91, 191, 147, 169, 182, 194, 225, 120, -1};
inline constexpr int kGenerator17[] = {0,   43, 139, 206, 78, 43,  239, 123, 206, 214,
                                       147, 24, 99,  150, 39, 243, 163, 136, -1};
inline constexpr int kGenerator18[] = {0,   215, 234, 158, 94,  184, 97, 118, 170, 79,
                                       187, 152, 148, 252, 179, 5,   98, 96,  153, -1};
inline constexpr int kGenerator20[] = {0,   17,  60, 79,  50,  61,  163, 26,  187, 202, 180,
                                       221, 225, 83, 239, 156, 164, 212, 212, 188, 190, -1};
inline constexpr int kGenerator22[] = {0,  210, 171, 247, 242, 93,  230, 14,  109, 221, 53,  200,
                                       74, 8,   172, 98,  80,  219, 134, 160, 105, 165, 231, -1};
inline constexpr int kGenerator24[] = {0,   229, 121, 135, 48,  211, 117, 251, 126,
                                       159, 180, 169, 152, 192, 226, 228, 218, 111,
                                       0,   117, 232, 87,  96,  227, 21,  -1};
inline constexpr int kGenerator26[] = {0,   173, 125, 158, 2,   103, 182, 118, 17,  145,
                                       201, 111, 28,  165, 53,  161, 21,  245, 142, 13,
                                       102, 48,  227, 153, 145, 218, 70,  -1};
inline constexpr int kGenerator28[] = {0,   168, 223, 200, 104, 224, 234, 108, 180, 110,
                                       190, 195, 147, 205, 27,  232, 201, 21,  43,  245,
                                       87,  42,  195, 212, 119, 242, 37,  9,   123, -1};
inline constexpr int kGenerator30[] = {0,   41,  173, 145, 152, 216, 31, 179, 182, 50,  48,
                                       110, 86,  239, 96,  222, 125, 42, 173, 226, 193, 224,
                                       130, 156, 37,  251, 216, 238, 40, 192, 180, -1};

// The generator of degree r, or nullptr for a degree no layout uses.
constexpr const int* GeneratorOfDegree(int r) {
    switch (r) {
        case 7:
            return kGenerator7;
        case 10:
            return kGenerator10;
        case 13:
            return kGenerator13;
        case 15:
            return kGenerator15;
        case 16:
            return kGenerator16;
        case 17:
            return kGenerator17;
        case 18:
            return kGenerator18;
        case 20:
            return kGenerator20;
        case 22:
            return kGenerator22;
        case 24:
            return kGenerator24;
        case 26:
            return kGenerator26;
        case 28:
            return kGenerator28;
        case 30:
            return kGenerator30;
        default:
            return nullptr;
    }
}

}  // namespace quirvane
