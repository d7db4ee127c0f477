#include "string_table.h"

#include <QHash>

QString LoadResourceString(int id) {
  static const QHash<int, QString> table = {
      {103, QStringLiteral("Windows ｿｹｯﾄの初期化に失敗しました。")},
      {104, QStringLiteral("画像の読み込み")},
      {105, QStringLiteral("写真やイラスト")},
      {106, QStringLiteral("メッセージ素材")},
      {107, QStringLiteral("イラスト素材")},
      {108, QStringLiteral("？？？")},
      {109, QStringLiteral("画像とメッセージを送る")},
      {110, QStringLiteral("Quilloraを終了する")},
      {111, QStringLiteral("編集画像の保存")},
      {112, QStringLiteral("縮小する")},
      {113, QStringLiteral("拡大する")},
      {114, QStringLiteral("画像のリセット")},
      {115, QStringLiteral("画像のクリア")},
      {116, QStringLiteral("Quilloraホームページへ")},
      {117, QStringLiteral("公開アルバムを見る")},
      {118, QStringLiteral("アルバムを編集する")},
      {119, QStringLiteral("ユーザー設定")},
      {120, QStringLiteral("ヘルプを表示")},
  };
  return table.value(id);
}
