#include "driver/height_rules.h"

#include "driver/messages.h"
#include "driver/number_format.h"
#include "geodesy/height.h"

void finish_height_line(RecordLoop& loop, PointRecord& record) {
    if (record.h_is_zero) {
        write_point_xy(loop, record);
        loop.out.write(loop.output_separator);
        write_fixed(loop.out, 0.0, loop.settings.h_decimals);
        loop.out.end_line();
        return;
    }
    const double h = record.point.h;
    if (h < LOWEST_HEIGHT || h > HIGHEST_HEIGHT) {  // on H as read, in every mode
        reject_line(loop, MSG_H_RANGE);
        return;
    }
    write_point_xy(loop, record);
    record.point.h = transform_height(loop.settings, record.point.x, record.point.y, h);
    loop.out.write(loop.output_separator);
    write_fixed(loop.out, record.point.h, loop.settings.h_decimals);
    loop.out.end_line();
}
