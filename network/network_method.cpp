#include "network/network_sheet.h"

#include "calc/numbers.h"
#include "network/report.h"
#include "pipes/sizing_sheet.h"

#include <string>
#include <variant>
#include <vector>

// The calculation sheet's method: what network/solver.cpp and, with heat loss,
// network/heat_solver.cpp, heat_line.cpp and heat_loss.cpp compute, in the words a reviewer
// checks a design by.
namespace network {

namespace {

const std::string kIf97 = "IAPWS-IF97（国际水和水蒸汽性质协会的水和水蒸汽热力性质工业计算公式，"
                          "1997 年发布，2007 年修订版）计算。";

const std::string kAutoSizing =
    "管子为“自动”的管段，在所选管材的系列中从小到大选第一个终点流速不高于推荐范围上限、比摩阻"
    "不高于比摩阻上限（不限时不高于 343.2 Pa/m，即一般蒸汽管道最大允许压降表中最高的 "
    "0.35 kgf/cm²/100 m，高于它的评价为“比摩阻过大”）、压力没有耗尽的管子；没有时取最大的管子，"
    "评价为“无合适管径”。";

const std::string kExhausted = "终点压力连 611.213 Pa（绝压）都达不到时为“压力耗尽”，其后的管段"
                               "为“上游压力耗尽”，均不计算。";

// Without heat loss: the sheet as it was before there was any.
std::vector<std::string> adiabaticMethod() {
    return {
        pipes::formulaParagraph(),
        "蒸汽的密度按 " + kIf97 +
            "饱和蒸汽在每一处都是当地压力下的干饱和蒸汽；过热蒸汽保持热源处的比焓（绝热管道中"
            "的节流），压力下降后比焓低于当地干饱和蒸汽的比焓时，按当地的干饱和蒸汽计算。",
        "沿管段 dp/dx = −(1 + α) × R，α 为局部损失占沿程摩擦损失的百分数 ÷ 100。R 中沿管段变化的"
        "只有密度 ρ，而绝热管道中 ρ 只随压力变化，所以 ∫ 从 p₂ 到 p₁ 的 ρ(p) dp = (1 + α) × C × L"
        "（C = 0.00688 × K^0.25 × G² ÷ d^5.25，p₁、p₂ 为起点与终点的绝压，L 为长度）沿管段精确成"
        "立：程序对这一积分作分段的高斯-勒让德求积，解出终点压力，不把整段看作一种密度。各管段从热"
        "源向外依次计算，每段的起点压力是其上游管段的终点压力。压降为起点与终点压力之差，比摩阻为"
        "整段的平均值 ΔP ÷ (L × (1 + α))，流速按起点与终点各自的密度，内径 = 外径 − 2 × 壁厚。" +
            kExhausted,
        kAutoSizing,
        pipes::bandsParagraph(),
        "假定：管道绝热（不计散热损失），流动稳定，不计凝结水，流动处于阻力平方区。",
    };
}

// The chosen insulation's conductivity, as the standard's Appendix A gives it.
std::string conductivityWords(const heat::Insulation& insulation) {
    const std::string lead = "保温材料的导热系数 λ（W/(m·K)），tm 为保温层的平均温度（℃）：";
    if (const double* lambda = std::get_if<double>(&insulation))
        return "保温材料的导热系数取给定的常数 λ = " + calc::shortestText(*lambda) +
               " W/(m·K)（厂家的数值），不随温度变化。";
    switch (std::get<heat::Material>(insulation)) {
    case heat::Material::RockWool:
        return lead + "岩棉按 GB 50264-2013 附录 A，tm ≤ 100 时 λ = 0.0337 + 0.000151 × tm，tm > "
                      "100 时 λ = 0.0395 + 4.71×10^-5 × tm + 5.03×10^-7 × tm²。两式在 100 ℃ "
                      "处并不相接，程序照原样采用：沿管段积分到保温层平均温度为 100 ℃ 的一点时停"
                      "下，从那里重新开始，不跨过它。";
    case heat::Material::GlassWool:
        return lead + "玻璃棉按 GB 50264-2013 附录 A，λ = 0.041 + 0.00017 × (tm − 70)。";
    case heat::Material::CompositeSilicate:
        return lead + "复合硅酸盐按 GB 50264-2013 附录 A，λ = 0.043 + 0.00015 × (tm − 70)。";
    case heat::Material::CalciumSilicate:
        return lead + "硅酸钙按 GB 50264-2013 附录 A，λ = 0.0479 + 1.0185×10^-4 × tm + "
                      "9.65×10^-11 × tm³。";
    }
    return {};
}

std::string surfaceWords(const heat::Surroundings& air) {
    if (air.surfaceCoefficient)
        return "表面放热系数取给定值 αs = " + calc::shortestText(*air.surfaceCoefficient) +
               " W/(m²·K)（规范允许散热计算取 11.63），不再计算辐射与对流。";
    return "表面放热系数 αs = αr + αc（W/(m²·K)），D 为外表面的直径（有保温时为 D1，裸管为 "
           "D0）。辐射 αr = 5.669 × ε ÷ (Ts − ta) × [((273 + Ts) ÷ 100)^4 − ((273 + ta) ÷ "
           "100)^4]，外表面黑度 ε = " +
           calc::shortestText(air.emissivity) +
           "。对流：室内（静止空气）αc = 26.4 ÷ √(297 + 0.5 × (Ts + ta)) × ((Ts − ta) ÷ D)^0.25；"
           "架空（风速 W = " +
           calc::shortestText(air.wind) +
           " m/s）W × D ≤ 0.8 时 αc = 0.08 ÷ D + 4.2 × W^0.618 ÷ D^0.382，W × D > 0.8 时 αc = "
           "4.53 × W^0.805 ÷ D^0.195。";
}

std::vector<std::string> heatMethod(const HeatLoss& heat) {
    const std::string k = calc::shortestText(heat.factor);
    const bool yearRound = heat.operation == heat::Operation::YearRound;
    return {
        pipes::formulaParagraph(),
        "蒸汽的密度、温度与比焓按 " + kIf97 +
            "过热蒸汽的温度 T(p, h) 由第 2 区 h(p, T) 的正算式精确解出（反算式只准到几毫开），密"
            "度 ρ = ρ(p, T)；饱和蒸汽的温度为当地压力下的饱和温度，密度为干饱和蒸汽的 ρ″(p)。",
        "每米管道的散热量 q（W/m）按 GB 50264-2013《工业设备及管道绝热工程设计规范》计算。T 为蒸"
        "汽温度，ta = " +
            calc::shortestText(heat.air.ambient) +
            " ℃ 为环境温度，D0 为管子外径，δ 为保温层厚度，保温层外径 D1 = D0 + 2δ（m）。T ≤ ta "
            "时 q = 0。有保温时，保温层外表面温度 Ts 由外表面的热平衡 (T − Ts) × 2λ(tm) ÷ (D1 × "
            "ln(D1 ÷ D0)) = αs(Ts, D1) × (Ts − ta) 解到收敛（tm = (T + Ts) ÷ 2，Ts 在 ta 与 T 之"
            "间只有一个根），于是外表面每平方米的散热 Q = αs × (Ts − ta)（W/m²），q = π × D1 × "
            "Q。裸管（δ = 0）Ts = T，q = π × D0 × αs(T, D0) × (T − ta)。",
        conductivityWords(heat.insulation),
        surfaceWords(heat.air),
        "散热附加系数 k = " + k +
            "（支吊架、阀门、法兰等处的附加散热）乘以 q：沿管段的计算、散热量与凝结水量都用 k × "
            "q。表中的起点线散热 q、起点表面温度 Ts 与起点散热密度 Q 按管段起点的蒸汽温度计算，"
            "未乘 k。",
        "沿管段（x 从 0 到 L；压力 p，比焓 h，质量流量 ṁ，G = 3.6 × ṁ 以 t/h 计）p、h、ṁ 一起积"
        "分：dp/dx = −(1 + α) × 0.00688 × K^0.25 × G² ÷ (d^5.25 × ρ(p, h))，α 为局部损失占沿程"
        "摩擦损失的百分数 ÷ 100。过热蒸汽（h 高于当地压力下干饱和蒸汽的比焓 h″(p)）dh/dx = −k "
        "× q(T) ÷ ṁ，dṁ/dx = 0。到达饱和后蒸汽保持干饱和，凝结水在哪里生成就在哪里排出，以当地"
        "压力下的饱和水（比焓 h′）离开：h = h″(p)，dh/dx = dh″/dx，由能量守恒 dṁ/dx = −(k × "
        "q(T) + ṁ × dh″/dx) ÷ (h″ − h′)；此式为正时（节流使蒸汽升温多于管道的冷却）蒸汽为过热"
        "蒸汽。积分用自适应步长的 Runge–Kutta–Fehlberg 7(8) 法，相对精度 10^-10；过热蒸汽在管段"
        "内降到饱和时，先找出这一点，再从那里重新积分。管段的散热量为 ∫ k × q dx，凝结水量为流"
        "量沿管段的减少。",
        "各管段从热源向外依次计算，每段起点的压力与比焓是其上游管段终点的压力与比焓。管段的起点"
        "流量为终点流量加上它的凝结水量，终点流量为终点节点的负荷加上从该节点引出的各管段的起点"
        "流量，热源供给全部负荷与全部凝结水。流量反复计算，直到相邻两遍之间每个流量的变化都不超"
        "过其自身的 10^-9、自动选择的管子不再改变；100 遍仍未收敛时不出结果。终点及其后都没有负"
        "荷的管段不输送蒸汽（视为阀门关闭的支管）：终点的压力与温度同起点，不散热，没有凝结水。"
        "压降为起点与终点压力之差，比摩阻为整段的平均值 ΔP ÷ (L × (1 + α))，流速按起点与终点各"
        "自的流量和密度，内径 = 外径 − 2 × 壁厚。" +
            kExhausted,
        "允许散热密度为 GB 50264-2013 附录 B 的最大允许散热损失（" +
            std::string(yearRound ? "常年运行" : "季节运行") +
            "），按管段起点的蒸汽温度在表列温度之间线性插值，超出表列温度时不给出。起点散热密度"
            "高于它时评价为“" +
            std::string(verdictWords(Verdict::HeatLossAboveAllowed)) +
            "”；室内管段起点表面温度高于 60 ℃ 时为“" +
            std::string(verdictWords(Verdict::SurfaceHot)) + "”；过热蒸汽在管段内降到饱和时为“" +
            std::string(verdictWords(Verdict::Condensing)) + "”；终点温度低于要求温度时为“" +
            std::string(verdictWords(Verdict::TemperatureBelowRequired)) + "”。",
        kAutoSizing,
        pipes::bandsParagraph(),
        "假定：忽略管壁与蒸汽侧放热的热阻；凝结水在生成处由疏水器排出，饱和蒸汽沿线保持干饱和；"
        "管道为架空或室内敷设，不计直埋管道；全管网的环境温度、风速、保温材料、黑度与附加系数相"
        "同；流动稳定，流动处于阻力平方区。",
    };
}

} // namespace

std::vector<std::string> networkMethod(const Network& network) {
    return network.heatLoss ? heatMethod(*network.heatLoss) : adiabaticMethod();
}

} // namespace network
