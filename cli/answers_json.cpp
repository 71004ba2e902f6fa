#include "cli/answers_json.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace tintara::cli {

namespace {

ScriptValue FromJson(const QJsonValue& value) {
  switch (value.type()) {
    case QJsonValue::Bool: return ScriptValue(value.toBool());
    case QJsonValue::Double: {
      double number = value.toDouble();
      // Whole numbers stay integers, as the dialogs expect them.
      if (std::floor(number) == number && std::fabs(number) < 9.0e15) {
        return ScriptValue(int64_t(number));
      }
      return ScriptValue(number);
    }
    case QJsonValue::String: return ScriptValue(value.toString().toStdString());
    case QJsonValue::Array: {
      ScriptValue::List list;
      for (const QJsonValue& item : value.toArray()) list.push_back(FromJson(item));
      return ScriptValue(std::move(list));
    }
    case QJsonValue::Object: {
      ScriptValue::Object object;
      const QJsonObject json = value.toObject();
      for (auto it = json.begin(); it != json.end(); ++it) {
        object[it.key().toStdString()] = FromJson(it.value());
      }
      return ScriptValue(std::move(object));
    }
    default: return ScriptValue();
  }
}

}  // namespace

bool LoadAnswersJson(const QByteArray& json, ScriptedAnswers& answers, std::string& error) {
  QJsonParseError parse;
  QJsonDocument document = QJsonDocument::fromJson(json, &parse);
  if (parse.error != QJsonParseError::NoError) {
    error = "not valid JSON at offset " + std::to_string(parse.offset) + ": " +
            parse.errorString().toStdString();
    return false;
  }
  if (!document.isObject()) {
    error = "expected an object of answers keyed by caption or message text";
    return false;
  }
  const QJsonObject object = document.object();
  for (auto it = object.begin(); it != object.end(); ++it) {
    std::string key = it.key().toStdString();
    if (it.value().isArray()) {
      for (const QJsonValue& item : it.value().toArray()) answers.Add(key, FromJson(item));
    } else {
      answers.Add(key, FromJson(it.value()));
    }
  }
  return true;
}

bool LoadAnswersFile(const std::string& path, ScriptedAnswers& answers, std::string& error) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    error = "cannot read the answers file " + path + ": " + file.errorString().toStdString();
    return false;
  }
  if (!LoadAnswersJson(file.readAll(), answers, error)) {
    error = "answers file " + path + ": " + error;
    return false;
  }
  return true;
}

}  // namespace tintara::cli
