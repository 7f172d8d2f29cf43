// Summary statistics of the pooled data points, in the order the statistics labels show them.
#include "Statistics.h"

#include "CurveFit.h"

namespace kurvo {

const std::array<StatisticsLabel, 14> StatisticsLabels = {{
    {"num_pts", "Number of Points", "The number of points in the data set"},
    {"sumx", "Sum (x):", "The sum of all the x coordinates"},
    {"sumxsqu", "Sum (x\xB2)", "The sum of the squares of all the x coordinates"},
    {"meanx", "Mean (x):", "The mean of the x coordinates"},
    {"sampsdx", "Sample S.D. (x):", "The sample standard deviation of the x coordinates"},
    {"popsdx", "Popul S.D. (x):", "The population standard deviation of the x coordinates"},
    {"sumy", "Sum (y):", "The sum of all the y coordinates"},
    {"sumysqu", "Sum (y\xB2):", "The sum of the squares of all the y coordinates"},
    {"meany", "Mean (y):", "The mean of the y coordinates"},
    {"sampsdy", "Sample S.D. (y):", "The sample standard deviation of the y coordinates"},
    {"popsdy", "Popul S.D. (y):", "The population standard deviation of the y coordinates"},
    {"meandiff", "Mean of Differences (x,y):", "The mean of the differences between the x and y coordinates"},
    {"sddiff", "S.D. of Differences (x,y):",
     "The standard deviation of the differences between the x and y coordinates"},
    {"corr_coeff", "Correlation Coefficient   r=", "The correlation coefficient of the data set"},
}};

std::array<double, 14> Statistics::values() const {
    return {static_cast<double>(num_pts),
            sumx,
            sumxsqu,
            meanx,
            sampsdx,
            popsdx,
            sumy,
            sumysqu,
            meany,
            sampsdy,
            popsdy,
            meandiff,
            sddiff,
            corr_coeff};
}

Statistics computeStatistics(DataPoints points) {
    Statistics s;
    if (points.empty()) {
        s.error = msg::NoDataPoints;
        return s;
    }
    TCurveFit fit;
    double sumXSqu = 0, sumYSqu = 0;
    for (const TDataPoint& p : points) {
        fit.addPoint(p.x, p.y);
        sumXSqu += p.x * p.x;
        sumYSqu += p.y * p.y;
    }
    const int n = fit.count();
    s.num_pts = n;
    s.sumx = fit.meanX() * n;
    s.sumxsqu = sumXSqu;
    s.meanx = fit.meanX();
    s.sampsdx = fit.stdDevX();
    s.popsdx = fit.popStdDevX();
    s.sumy = fit.meanY() * n;
    s.sumysqu = sumYSqu;
    s.meany = fit.meanY();
    s.sampsdy = fit.stdDevY();
    s.popsdy = fit.popStdDevY();
    s.meandiff = fit.meanDiff();
    s.sddiff = fit.stdDevDiff();
    s.corr_coeff = fit.corrCoeff();
    return s;
}

} // namespace kurvo
